#include "MailPreferences.h"

#include "model/Preferences.h"

MailPreferences MailPreferences::current()
{
    MailPreferences values;
    values.account = MailAccount::fromPreferences();
    values.sendWith = Preferences::intValue(Preferences::SendWith) == Application ? Application : MailClient;
    values.sendFollowUpsWithoutAsking = Preferences::boolValue(Preferences::SendFollowUpsWithoutAsking);
    values.pace = qMax(0, Preferences::intValue(Preferences::MailPace));
    return values;
}

void MailPreferences::write() const
{
    account.saveToPreferences();
    Preferences::setValue(Preferences::SendWith, sendWith);
    Preferences::setValue(Preferences::SendFollowUpsWithoutAsking, sendFollowUpsWithoutAsking);
    Preferences::setValue(Preferences::MailPace, pace);
}
