#include "ui/main_window.h"

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
    setFixedSize(kDesignWidth, kDesignHeight);
    layout::Build(*this, now);
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
    setFixedSize(width(), height);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Esc closes the window, which ends the program. Enter moves no focus.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace kob
