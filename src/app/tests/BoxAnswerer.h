#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <vector>

namespace quillmere::testing {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QList<QAbstractButton*>::size_type buttons;
    Qt::TextFormat format;
};

// Answers every message box as it opens, keeping what it showed.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.push_back({box->windowTitle(), box->text(), box->icon(), box->buttons().size(),
                                box->textFormat()});
                box->buttons().first()->click();
            }
        });
        timer_.start(5);
    }
    std::vector<SeenBox> seen;

private:
    QTimer timer_;
};

} // namespace quillmere::testing
