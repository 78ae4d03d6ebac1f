#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every alert and question of the application goes through here, so tests can script the
// answers and no test ever waits on a modal box.
class MessageBox
{
public:
    enum Icon
    {
        Information,
        Warning,
        Critical,
        Question
    };

    struct Shown
    {
        QString title;
        QString message;
        QStringList buttons;
    };

    // Shows an alert: the title is the bold text, the message the smaller text below it.
    // Buttons are given left to right in reading order, the first being the default; the
    // result is the index of the pressed button (Escape presses the last one when there are
    // several, else the first, unless escapeIndex names another). With a parent the alert is
    // modal to that window only.
    static int alert(QWidget *parent, const QString &title, const QString &message,
                     const QStringList &buttons = {}, Icon icon = Warning, int escapeIndex = -1);

    // The length question of the dialogs: "The %1 field contains too many characters." with OK
    // (default, and the Escape answer: nothing is cut unless asked) and Trim. True means trim.
    static bool askTrim(QWidget *parent, const QString &fieldName, int maxLength);
    // A value that looks mistyped but may be meant: Correct (default, and the Escape answer) or
    // Keep. True means keep it as it is.
    static bool askKeep(QWidget *parent, const QString &title, const QString &message);

    // --- For tests
    // From now on alerts are never shown: each takes the next queued answer, or 0.
    static void setScripted(bool scripted);
    static bool isScripted();
    static void setNextAnswer(int buttonIndex);
    static const QList<Shown> &shownAlerts();
    static void clearShownAlerts();
};
