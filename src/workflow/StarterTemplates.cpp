#include "StarterTemplates.h"

#include "model/CollectionManager.h"
#include "model/EmailTemplate.h"

#include <QCoreApplication>

namespace StarterTemplates {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(StarterTemplates)
};
} // namespace

QList<Template> templates()
{
    return {
        {Tr::tr("First contact"), Tr::tr("Link exchange with #MY_TITLE#?"),
         Tr::tr("Hello #CONTACT_FIRST_NAME#,\n\n"
                "I run #MY_TITLE# (#MY_URL#) and like #TITLE#. Would you exchange links with me? "
                "I would list your site under \"#CATEGORY#\" on my links page, #MY_LINKS_PAGE_URL#.\n\n"
                "If you agree, please link to #MY_URL# with the title \"#MY_TITLE#\" and the description:\n"
                "#MY_DESCRIPTION#\n\n"
                "Best regards,\n#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#\n#MY_CONTACT_EMAIL#\n")},
        {Tr::tr("Reminder"), Tr::tr("Our link exchange: #MY_TITLE# and #TITLE#"),
         Tr::tr("Hello #CONTACT_FIRST_NAME#,\n\n"
                "On #LAST_STATUS_CHANGE_DATE# I wrote to you about exchanging links between #TITLE# and "
                "#MY_TITLE# (#MY_URL#). Have you had a chance to think about it?\n\n"
                "Best regards,\n#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#\n")},
        {Tr::tr("Your link to us is missing"), Tr::tr("The link to #MY_TITLE# on #LINKS_PAGE_URL#"),
         Tr::tr("Hello #CONTACT_FIRST_NAME#,\n\n"
                "Thank you for exchanging links with #MY_TITLE#. I could no longer find the link to "
                "#MY_URL# on #LINKS_PAGE_URL#. Could you put it back? Your site is still listed on my "
                "links page, #MY_LINKS_PAGE_URL#.\n\n"
                "Best regards,\n#MY_CONTACT_FIRST_NAME# #MY_CONTACT_LAST_NAME#\n")},
    };
}

void addTo(CollectionManager &store)
{
    for (const Template &starter : templates()) {
        EmailTemplate form;
        form.setName(starter.name, starter.subject, starter.body);
        store.emailTemplateList().addEmailTemplateFromEmailTemplate(form);
    }
}

} // namespace StarterTemplates
