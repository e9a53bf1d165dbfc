#pragma once

#include "app/BusyPointer.h"
#include "app/Form1Controls.h"
#include "import/ColumnRule.h"
#include "import/ImportRequest.h"

#include <QWidget>

#include <optional>

namespace quillmere {

class ImportJob;

// The caption of the window and of every message box.
inline constexpr auto ApplicationTitle = "Quillmere";

// The program's one window. It holds the file list and the user's choices and hands them to the import job.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // The hand pointer over the picture buttons comes from "HAND-M.CUR" in the program's folder when it can.
    Form1(ImportJob& job, const QString& programFolder, QWidget* parent = nullptr);

private:
    void setUpWindow();
    void Check2_Click();
    void importFinished(const QString& failure);
    ImportRequest currentRequest() const;
    ColumnRule currentRule() const;

    ImportJob& job_;
    Form1Controls controls_;
    std::optional<BusyPointer> importing_;
};

} // namespace quillmere
