#include "panel_application.h"

#include <QMessageBox>
#include <QWidget>
#include <exception>

PanelApplication::PanelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool PanelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report(QString::fromUtf8(error.what()));
    } catch (...) {
        Report(QStringLiteral("Unknown error"));
    }
    return false;
}

void PanelApplication::Report(const QString& text) {
    emit exceptionCaught(text);
    QWidget* const window = activeWindow();
    QMessageBox::critical(window, window ? window->windowTitle() : applicationName(), text);
}
