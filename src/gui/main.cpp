#include "gui/main_window.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The options are searched for anywhere in the command line, as one text.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(' ');
    kovra::MainWindow window(commandLine);
    if (window.initialize() != kovra::MainWindowModel::StartResult::Ready)
        return 1;
    window.show();
    return app.exec() == 0 ? 0 : 1;
}
