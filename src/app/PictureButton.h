#pragma once

#include <QAbstractButton>

namespace quillmere::app {

// A large push button with a 32 by 32 picture above its caption; the caption is centred and wraps onto
// further lines where it does not fit. A click, Space, Return or Enter acts once and the button never stays down.
class PictureButton : public QAbstractButton {
    Q_OBJECT

public:
    PictureButton(const QIcon& picture, const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quillmere::app
