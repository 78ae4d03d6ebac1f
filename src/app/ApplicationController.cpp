#include "ApplicationController.h"

#include "MessageBox.h"

#include <QApplication>
#include <QWidget>

namespace {
ApplicationController *s_instance = nullptr;
}

ApplicationController::ApplicationController(QObject *parent) : QObject(parent)
{
    s_instance = this;
}

ApplicationController::~ApplicationController()
{
    if (s_instance == this)
        s_instance = nullptr;
}

ApplicationController *ApplicationController::instance()
{
    return s_instance;
}

bool ApplicationController::checkLengthOfString(const QString &text, int maxLength)
{
    return text.size() <= maxLength;
}

bool ApplicationController::askTrimWithFieldName(QWidget *parent, const QString &fieldName, int maxLength)
{
    const int answer =
        MessageBox::alert(parent, tr("The field \"%1\" is too long.").arg(fieldName),
                          tr("It may hold at most %1 characters. Trim it to that length?").arg(maxLength),
                          {tr("Trim"), tr("Cancel")});
    return answer == 0;
}

bool ApplicationController::isModalDialogRunning()
{
    return QApplication::activeModalWidget() != nullptr;
}

void ApplicationController::newSite() {}
void ApplicationController::showStartingPoints() {}
void ApplicationController::doPreferences() {}
void ApplicationController::doHelp()
{
    showHelp(QStringLiteral("QuillmarshIntro"));
}
void ApplicationController::showHelp(const QString &) {}
void ApplicationController::showShortcuts()
{
    showHelp(QStringLiteral("QuillmarshShortcuts"));
}
void ApplicationController::showTutorial() {}
void ApplicationController::showReadMe() {}
void ApplicationController::doAbout() {}
void ApplicationController::instantLink() {}
void ApplicationController::showNewSiteCreated() {}
