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
    // Whether the wait pointer stood while the box was on screen.
    bool waitPointer;
    Qt::TextFormat format;
};

// Answers every message box while it is open, keeping what it showed and what the pointer was meanwhile.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.push_back({box->windowTitle(), box->text(), box->icon(), box->buttons().size(),
                                QGuiApplication::overrideCursor() != nullptr,
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
