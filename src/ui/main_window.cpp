#include "ui/main_window.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPalette>

#include "ui/layout.h"

// The pictures live in the window library; a static library's resources
// must be registered by hand.
static void RegisterPictures() {
    Q_INIT_RESOURCE(assets);
}

namespace kob {

MainWindow::MainWindow(double now, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    RegisterPictures();
    // Message boxes, input boxes and menus take the application's font: the
    // controls' sans face, not whatever fontconfig picks for Chinese.
    QApplication::setFont(MakeFont({}));
    setObjectName("MainWindow");
    setWindowTitle(QString::fromUtf8(kCaption));
    QIcon icon;
    icon.addFile(":/icon/kobrelan-256.png");
    icon.addFile(":/icon/kobrelan-32.png");
    setWindowIcon(icon);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // Fixed border: the operator cannot resize it; the created event sets
    // the height the program runs with.
    setFixedSize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    layout::Build(*this, now);
    // Qt gives a hidden widget no keyboard focus. The window takes it for the
    // hidden login-name holder and hands the holder its keys (keyPressEvent),
    // so focusing the holder works as on Windows: keys reach it, unseen.
    编辑框_用户名->setFocusProxy(this);
}

MainWindow::~MainWindow() {
    // No handler runs while the controls go one by one.
    for (QObject* child : findChildren<QObject*>()) {
        child->blockSignals(true);
    }
    blockSignals(true);
}

void MainWindow::RaiseCreated() {
    if (created_) {
        return;
    }
    created_ = true;
    if (on_created) {
        on_created();
    }
}

void MainWindow::SetHeight(int height) {
    setFixedSize(width(), height - kFrameHeight);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // The window itself has the focus only on the holder's behalf.
    if (QApplication::focusWidget() == this) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), static_cast<quint16>(event->count()));
        // Straight to the box's own handling: no propagation back up here.
        static_cast<QObject*>(编辑框_用户名)->event(&copy);
        if (copy.isAccepted()) {
            return;
        }
    }
    // Esc closes the window, which ends the program. Enter moves no focus.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kob
