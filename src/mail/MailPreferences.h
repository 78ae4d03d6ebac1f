#pragma once

#include "MailAccount.h"

// Everything the Mail page of the preferences shows, apart from the passwords (those live in the
// keyring): the account, how messages go out and what may go without the user's review.
struct MailPreferences
{
    enum SendWith
    {
        MailClient = 0,  // a mailto: link opens the user's mail client
        Application = 1, // sent over SMTP from here, and logged
    };

    MailAccount account;
    int sendWith = MailClient;
    bool sendFollowUpsWithoutAsking = false;
    int pace = 20; // messages per minute; 0 sends without a pause

    static MailPreferences current();
    void write() const;
    bool sendsFromApplication() const { return sendWith == Application; }
};
