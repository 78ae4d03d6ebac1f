#include "SampleStores.h"

#include "model/CollectionManager.h"

namespace SampleStores {

void fill(CollectionManager &store, bool withTemplates)
{
    store.setSiteProfile({QStringLiteral("Mine"), QStringLiteral("http://www.mine.example/"), QString(),
                          QString(), QString(), QString(), QString(), QString()});
    TreeNode *books = store.addCategoryWithName(QStringLiteral("Books"), QStringLiteral("books"));
    books->category()->setID(QStringLiteral("CAT100"));
    TreeNode *zoo = store.addCategoryWithName(QStringLiteral("zoo"), QStringLiteral("zoo"));
    zoo->category()->setID(QStringLiteral("CAT200"));

    struct Sample
    {
        const char *id;
        const char *categoryID;
        const char *title;
        const char *url;
        LinkStatus status;
        LinkType type;
        int day;
    };
    const Sample samples[] = {
        {"LNK100", "CAT100", "Alpha books", "http://alpha.example/", LinkStatusNew, LinkTypeReceived, 1},
        {"LNK101", "CAT100", "beta Books", "http://beta.example", LinkStatusApproved, LinkTypeSent, 2},
        {"LNK102", "CAT200", "Gamma", "https://gamma.example/zoo/", LinkStatusNegotiating, LinkTypeSent, 3},
        {"LNK103", "CAT0000000000", "delta", "http://delta.example/", LinkStatusBlocked, LinkTypeReceived, 4},
        {"LNK104", "CAT200", "gamma", "http://GAMMA.example/zoo", LinkStatusApproved, LinkTypeReceived, 5},
    };
    for (const Sample &sample : samples) {
        LinkFields f;
        f.title = QLatin1String(sample.title);
        f.categoryID = QLatin1String(sample.categoryID);
        f.URL = QLatin1String(sample.url);
        f.description = QStringLiteral("About ") + f.title;
        f.counterpartURL = f.URL + QStringLiteral("links.html");
        f.contactEmail = QStringLiteral("webmaster@example.org");
        f.status = sample.status;
        f.type = sample.type;
        f.lastStatusChangedOn = QDate(2024, 5, sample.day);
        f.lastVerifiedOn = sample.day % 2 ? QDate(2024, 6, sample.day) : QDate();
        f.lastVerificationResult = sample.day % 2 ? VerificationSucceeded : VerificationNotVerified;
        f.notes = QStringLiteral("line one\nline two");
        store.addLinkFromFields(f)->link()->setID(QLatin1String(sample.id));
    }

    if (!withTemplates)
        return;
    EmailTemplate form;
    form.setName(QStringLiteral("Welcome"), QStringLiteral("Hello %FirstName%"),
                 QStringLiteral("Dear %FirstName%,\n"));
    store.emailTemplates()[size_t(store.emailTemplateList().addEmailTemplateFromEmailTemplate(form))]->setID(
        QStringLiteral("EMT100"));
    form.setName(QStringLiteral("reminder"), QStringLiteral("Our link"), QStringLiteral("Still there?"));
    store.emailTemplates()[size_t(store.emailTemplateList().addEmailTemplateFromEmailTemplate(form))]->setID(
        QStringLiteral("EMT200"));
}

} // namespace SampleStores
