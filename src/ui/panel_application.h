#pragma once

#include <QApplication>

// The application object: an exception that escapes an event handler is shown in a
// message box with its text, and the event loop goes on.
class PanelApplication : public QApplication {
    Q_OBJECT
public:
    PanelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

signals:
    // Raised with the text of each caught exception, before it is shown.
    void exceptionCaught(const QString& text);

private:
    void Report(const QString& text);
};
