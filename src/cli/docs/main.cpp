// Writes the documents made from quillmarsh-cli's command table at build time:
//   quillmarsh-cli-docs man DATE OUT   the manual page quillmarsh-cli(1)
//   quillmarsh-cli-docs bash OUT       the bash completion
#include "CliCompletion.h"
#include "CliManPage.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QString text;
    if (arguments.size() == 3 && arguments.at(0) == QLatin1String("man"))
        text = CliManPage::page(arguments.at(1));
    else if (arguments.size() == 2 && arguments.at(0) == QLatin1String("bash"))
        text = CliCompletion::bashScript();
    else {
        std::fprintf(stderr, "usage: quillmarsh-cli-docs man DATE OUT | bash OUT\n");
        return 1;
    }
    QSaveFile file(arguments.last());
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(arguments.last()), qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
