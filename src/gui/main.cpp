#include "gui/main_window.h"
#include "gui/program_language.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    kovra::applyProgramLanguage(kovra::chooseLanguage(kovra::languageOptionIn(words)),
        kovra::localeDirFor(QCoreApplication::applicationFilePath().toStdString()));
    // The options are searched for anywhere in the command line, as one text.
    kovra::MainWindow window(arguments.join(' '));
    if (window.initialize() != kovra::MainWindowModel::StartResult::Ready)
        return 1;
    window.show();
    return app.exec() == 0 ? 0 : 1;
}
