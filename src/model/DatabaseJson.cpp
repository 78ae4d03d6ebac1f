#include "DatabaseJson.h"

#include "AddressTexts.h"
#include "ByteFields.h"
#include "Clock.h"
#include "CollectionManager.h"
#include "TemplateFollowUp.h"
#include "TextUtils.h"

#include <QHash>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <optional>
#include <unordered_map>

namespace {

QJsonValue dateValue(const QDate &date)
{
    return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue(QJsonValue::Null);
}

QDate dateFrom(const QJsonValue &value)
{
    return value.isString() ? QDate::fromString(value.toString(), Qt::ISODate) : QDate();
}

// A code is one byte, kept as held: every byte is the one character of its value, 0 included ("\u0000").
QJsonValue codeValue(char code)
{
    return QJsonValue(QString(QChar(uchar(code))));
}

// Missing, null and "" give the fallback; otherwise one character up to U+00FF, the byte of its value.
std::optional<char> codeFrom(const QJsonValue &value, char fallback)
{
    if (value.isUndefined() || value.isNull() || (value.isString() && value.toString().isEmpty()))
        return fallback;
    const QString text = value.toString();
    if (!value.isString() || text.size() != 1 || text.at(0).unicode() > 0xFF)
        return std::nullopt;
    return char(uchar(text.at(0).unicode()));
}

// The text as JSON writes it, quotes and escapes included, for messages.
QString jsonQuoted(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString textFrom(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isString() ? value.toString() : QStringLiteral("");
}

bool flagFrom(const QJsonObject &object, const char *key, bool fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isBool() ? value.toBool() : fallback;
}

int intFrom(const QJsonObject &object, const char *key, int fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? value.toInt(fallback) : fallback;
}

QJsonObject linkToJson(const Link &link)
{
    return QJsonObject{
        {"ID", link.ID()},
        {"categoryID", link.categoryID()},
        {"title", link.title()},
        {"URL", link.URL()},
        {"description", link.description()},
        {"keywords", link.keywords()},
        {"counterpartURL", link.counterpartURL()},
        {"counterpartCategoryName", link.counterpartCategoryName()},
        {"contactFirstName", link.contactFirstName()},
        {"contactLastName", link.contactLastName()},
        {"contactEmail", link.contactEmail()},
        {"status", codeValue(link.status())},
        {"type", codeValue(link.type())},
        {"draft", codeValue(link.draft())},
        {"createdOn", dateValue(link.createdOnDay())},
        {"lastVerifiedOn", dateValue(link.lastVerifiedOn())},
        {"lastVerificationResult", codeValue(link.lastVerificationResult())},
        {"lastStatusChangedOn", dateValue(link.lastStatusChangedOn())},
        {"notes", link.notes()},
    };
}

// The record as messages name it: a title of a megabyte is not repeated whole.
QString recordName(const char *kind, const QString &title)
{
    constexpr qsizetype Shown = 60;
    return QStringLiteral("%1 %2").arg(
        QLatin1String(kind), jsonQuoted(title.size() > Shown ? title.left(Shown) + u'\u2026' : title));
}

// Says which texts of the link the file cannot keep as given: each is compared with what a record
// of the file reads back.
void noteCutFields(const Link &link, const QString &record, QStringList *notes)
{
    if (!notes)
        return;
    std::vector<char> bytes(Link::RecordSize);
    link.getDataRepresentation(bytes.data());
    Link stored;
    stored.loadDataRepresentation(bytes.data());
    const LinkFields given = link.fields();
    const LinkFields kept = stored.fields();
    struct Text
    {
        const char *name;
        QString LinkFields::*field;
    };
    for (const Text &text :
         {Text{"title", &LinkFields::title}, Text{"URL", &LinkFields::URL},
          Text{"description", &LinkFields::description}, Text{"keywords", &LinkFields::keywords},
          Text{"counterpartURL", &LinkFields::counterpartURL},
          Text{"counterpartCategoryName", &LinkFields::counterpartCategoryName},
          Text{"contactFirstName", &LinkFields::contactFirstName},
          Text{"contactLastName", &LinkFields::contactLastName},
          Text{"contactEmail", &LinkFields::contactEmail}, Text{"notes", &LinkFields::notes}}) {
        const QString &before = given.*text.field;
        const QString &after = kept.*text.field;
        if (before == after)
            continue;
        if (before.startsWith(after))
            notes->append(QStringLiteral("%1: the %2 is cut from %3 to %4 characters, as the file holds it")
                              .arg(record, QLatin1String(text.name))
                              .arg(before.size())
                              .arg(after.size()));
        else
            notes->append(QStringLiteral("%1: the %2 holds characters the file cannot store; they are "
                                         "replaced")
                              .arg(record, QLatin1String(text.name)));
    }
}

QDateTime createdFrom(const QJsonValue &value)
{
    const QDate date = dateFrom(value);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : Clock::now();
}

} // namespace

namespace {

QJsonObject selfInfoToJson(const SelfInfo &info)
{
    return QJsonObject{
        {"title", info.title()},
        {"URL", info.URL()},
        {"description", info.description()},
        {"keywords", info.keywords()},
        {"linksURL", info.linksURL()},
        {"contactFirstName", info.contactFirstName()},
        {"contactLastName", info.contactLastName()},
        {"contactEmail", info.contactEmail()},
        {"createdOn", dateValue(info.createdOn().date())},
        {"notifyNegotiationNotStarted", info.notifyNegotiationNotStarted()},
        {"negotiationStartTimeout", info.negotiationStartTimeout()},
        {"notifyLastingNegotiation", info.notifyLastingNegotiation()},
        {"lastingNegotiationTimeout", info.lastingNegotiationTimeout()},
        {"notifyLinkVerification", info.notifyLinkVerification()},
        {"linkVerificationTimeout", info.linkVerificationTimeout()},
        {"notifyLinksInCategory", info.notifyLinksInCategory()},
        {"linksInCategoryNumber", info.linksInCategoryNumber()},
        {"notifyVerificationUnsuccessful", info.notifyVerificationUnsuccessful()},
        {"exportNewLinks", info.exportNewLinks()},
        {"exportNegotiatingLinks", info.exportNegotiatingLinks()},
        {"renderMode", info.renderMode()},
    };
}

QJsonArray templatesToJson(const CollectionManager &store)
{
    QJsonArray templates;
    for (const auto &t : store.emailTemplates()) {
        QJsonObject object{{"ID", t->ID()},
                           {"name", t->name()},
                           {"subject", t->subject()},
                           {"body", t->body()},
                           {"createdOn", dateValue(t->createdOn().date())}};
        if (const std::optional<TemplateFollowUp> followUp = TemplateFollowUp::of(store, t->ID()))
            object.insert("followUp", followUp->toJson());
        templates.append(object);
    }
    return templates;
}

QJsonObject categoryToJson(const Category &category)
{
    return QJsonObject{{"ID", category.ID()},
                       {"name", category.name()},
                       {"anchor", category.anchor()},
                       {"createdOn", dateValue(category.createdOn().date())}};
}

QJsonArray namedStringsToJson(const CollectionManager &store)
{
    QJsonArray namedStrings;
    for (const NamedString &entry : store.namedStrings()) {
        // A template's follow-up travels on the template itself.
        const QString followUpOf = TemplateFollowUp::templateOfName(entry.name());
        if (!followUpOf.isNull() && store.emailTemplateList().emailTemplateWithID(followUpOf))
            continue;
        namedStrings.append(QJsonObject{{"name", entry.name()}, {"value", entry.value()}});
    }
    return namedStrings;
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray compact(const QJsonArray &array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

} // namespace

namespace DatabaseJson {

QJsonObject toJson(const CollectionManager &store)
{
    QJsonArray categories;
    for (const TreeNode *categoryNode : store.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        if (!category)
            continue;
        QJsonArray links;
        for (const TreeNode *node : categoryNode->children()) {
            if (const Link *link = node->link())
                links.append(linkToJson(*link));
        }
        QJsonObject object = categoryToJson(*category);
        object.insert("links", links);
        categories.append(object);
    }
    return QJsonObject{{"version", "0102"},
                       {"selfInfo", selfInfoToJson(store.selfInfo())},
                       {"emailTemplates", templatesToJson(store)},
                       {"categories", categories},
                       {"namedStrings", namedStringsToJson(store)}};
}

bool write(const CollectionManager &store, QIODevice &device)
{
    // The same document as toJson, written piece by piece (one link a line) so that a large
    // database is never held twice in memory as a JSON tree.
    QByteArray text =
        "{\n\"version\": \"0102\",\n\"selfInfo\": " + compact(selfInfoToJson(store.selfInfo())) +
        ",\n\"emailTemplates\": " + compact(templatesToJson(store)) + ",\n\"categories\": [";
    bool ok = device.write(text) == text.size();
    bool firstCategory = true;
    for (const TreeNode *categoryNode : store.categoryRoot()->children()) {
        const Category *category = categoryNode->category();
        if (!category)
            continue;
        text = compact(categoryToJson(*category));
        text.chop(1); // reopen the object to append its links
        text.prepend(firstCategory ? "\n" : ",\n");
        text += ",\"links\": [";
        firstCategory = false;
        bool firstLink = true;
        for (const TreeNode *node : categoryNode->children()) {
            if (const Link *link = node->link()) {
                text += (firstLink ? "\n  " : ",\n  ") + compact(linkToJson(*link));
                firstLink = false;
            }
            if (text.size() > 64 * 1024) {
                ok = ok && device.write(text) == text.size();
                text.clear();
            }
        }
        text += "]}";
        ok = ok && device.write(text) == text.size();
    }
    text = "\n],\n\"namedStrings\": " + compact(namedStringsToJson(store)) + "\n}\n";
    return ok && device.write(text) == text.size();
}

bool fromJson(const QJsonObject &json, CollectionManager &store, FileError *error, QStringList *notes)
{
    auto fail = [error](const QString &why) { return FileError::fail(error, FileError::Kind::Damaged, why); };
    // Identifiers are written into 50-byte fields; one the field cannot hold exactly would come back
    // as another record's ID and move links between categories.
    auto storable = [](const QString &id) {
        return ByteFields::holdsByteText(id, ByteFields::IdentifierWidth);
    };
    auto unstorable = [](const QString &record, const QString &field, const QString &id) {
        return QStringLiteral("%1: the %2 %3 cannot be stored (at most %4 characters of ISO Latin 1, no NUL)")
            .arg(record, field, jsonQuoted(id))
            .arg(ByteFields::IdentifierWidth - 1);
    };
    if (json.contains("version") && json.value("version").toString() != QLatin1String("0102"))
        return FileError::fail(error, FileError::Kind::UnsupportedVersion);
    // A date is absent, null or "YYYY-MM-DD"; anything else is a mistake, not today.
    auto badDate = [](const QJsonObject &object, const char *key) {
        const QJsonValue value = object.value(QLatin1String(key));
        return !value.isUndefined() && !value.isNull() && !dateFrom(value).isValid();
    };
    auto notADate = [](const QString &record, const char *key, const QJsonValue &value) {
        return QStringLiteral("%1: the %2 %3 is not a date of the form YYYY-MM-DD")
            .arg(record, QLatin1String(key),
                 value.isString() ? jsonQuoted(value.toString()) : QStringLiteral("value"));
    };
    // Addresses are published and opened: one that leads anywhere but to a web page is refused.
    auto notAWebAddress = [](const QString &record, const char *key, const QString &address) {
        return QStringLiteral("%1: the %2 %3 is not a web address (http:// or https://)")
            .arg(record, QLatin1String(key), jsonQuoted(address));
    };
    for (const char *list : {"emailTemplates", "namedStrings"}) {
        const QJsonValue value = json.value(QLatin1String(list));
        if (!value.isUndefined() && !value.isArray())
            return fail(QStringLiteral("\"%1\" is not an array").arg(QLatin1String(list)));
    }
    if (badDate(json.value("selfInfo").toObject(), "createdOn"))
        return fail(notADate(QStringLiteral("site profile"), "createdOn",
                             json.value("selfInfo").toObject().value("createdOn")));

    const QJsonObject self = json.value("selfInfo").toObject();
    // Checked as they are kept: a line break or tab becomes a space, and "http\t://" that a browser
    // would read as "http://" is kept as "http ://", which is no web address.
    for (const char *key : {"URL", "linksURL"}) {
        if (!AddressTexts::isStorableAddress(TextUtils::oneLineString(textFrom(self, key))))
            return fail(notAWebAddress(QStringLiteral("site profile"), key, textFrom(self, key)));
    }
    SelfInfo info = store.selfInfo();
    const SelfInfo defaults;
    info.setTitle({textFrom(self, "title"), textFrom(self, "URL"), textFrom(self, "description"),
                   textFrom(self, "keywords"), textFrom(self, "linksURL"), textFrom(self, "contactFirstName"),
                   textFrom(self, "contactLastName"), textFrom(self, "contactEmail")});
    if (self.contains("createdOn"))
        info.setCreatedOn(createdFrom(self.value("createdOn")));
    const NotificationSettings d = info.notificationSettings();
    NotificationSettings s;
    s.notifyNegotiationNotStarted =
        flagFrom(self, "notifyNegotiationNotStarted", d.notifyNegotiationNotStarted);
    s.negotiationStartTimeout = intFrom(self, "negotiationStartTimeout", d.negotiationStartTimeout);
    s.notifyLastingNegotiation = flagFrom(self, "notifyLastingNegotiation", d.notifyLastingNegotiation);
    s.lastingNegotiationTimeout = intFrom(self, "lastingNegotiationTimeout", d.lastingNegotiationTimeout);
    s.notifyLinkVerification = flagFrom(self, "notifyLinkVerification", d.notifyLinkVerification);
    s.linkVerificationTimeout = intFrom(self, "linkVerificationTimeout", d.linkVerificationTimeout);
    s.notifyLinksInCategory = flagFrom(self, "notifyLinksInCategory", d.notifyLinksInCategory);
    s.linksInCategoryNumber = intFrom(self, "linksInCategoryNumber", d.linksInCategoryNumber);
    s.notifyVerificationUnsuccessful =
        flagFrom(self, "notifyVerificationUnsuccessful", d.notifyVerificationUnsuccessful);
    info.setNotifyNegotiationNotStarted(s);
    info.setExportNewLinks(flagFrom(self, "exportNewLinks", info.exportNewLinks()),
                           flagFrom(self, "exportNegotiatingLinks", info.exportNegotiatingLinks()));
    info.setRenderMode(intFrom(self, "renderMode", info.renderMode()));
    store.setSelfInfo(info);

    for (const QJsonValue &value : json.value("emailTemplates").toArray()) {
        const QJsonObject object = value.toObject();
        auto emailTemplate = std::make_unique<EmailTemplate>();
        emailTemplate->setName(textFrom(object, "name"), textFrom(object, "subject"),
                               textFrom(object, "body"));
        if (object.value("ID").isString()) {
            const QString id = object.value("ID").toString();
            if (!storable(id))
                return fail(unstorable(QStringLiteral("template %1").arg(jsonQuoted(emailTemplate->name())),
                                       QStringLiteral("ID"), id));
            emailTemplate->setID(id);
        }
        if (object.contains("createdOn"))
            emailTemplate->setCreatedOn(createdFrom(object.value("createdOn")));
        if (object.contains("followUp")) {
            QString why;
            const std::optional<TemplateFollowUp> followUp =
                TemplateFollowUp::fromJson(object.value("followUp").toObject(), &why);
            if (!followUp)
                return fail(QStringLiteral("template %1: %2").arg(jsonQuoted(emailTemplate->name()), why));
            TemplateFollowUp::set(store, emailTemplate->ID(), followUp);
        }
        store.emailTemplateList().insertEmailTemplate(std::move(emailTemplate));
    }

    // One category per ID, the first given: a later one is left out and the links of that ID go
    // to the first, as when a database file holds two.
    // Without its categories a database is empty: a missing or misspelt key is refused, not obeyed.
    if (!json.value("categories").isArray())
        return fail(QStringLiteral("no \"categories\" array: not a links database in JSON"));
    const QJsonArray categories = json.value("categories").toArray();
    std::vector<TreeNode *> categoryNodes; // the node of each entry, for links that name no category
    bool defaultGiven = false;
    // Looked up here, not by walking the store's list for each category.
    QHash<QString, TreeNode *> categoryByID;
    categoryByID.insert(NoneCategoryID, store.categoryNodeWithID(NoneCategoryID));
    // Put in all at once: inserting each in sorted position would make a load quadratic.
    std::vector<std::unique_ptr<TreeNode>> newCategories;
    for (qsizetype c = 0; c < categories.size(); ++c) {
        const QJsonValue value = categories.at(c);
        if (!value.isObject())
            return fail(QStringLiteral("category %1 of the list is not an object").arg(c + 1));
        const QJsonObject object = value.toObject();
        const QString id = object.value("ID").toString();
        const QString name = textFrom(object, "name");
        const QString record = QStringLiteral("category %1").arg(jsonQuoted(name));
        if (!id.isEmpty() && !storable(id))
            return fail(unstorable(record, QStringLiteral("ID"), id));
        if (!storable(textFrom(object, "anchor")))
            return fail(unstorable(record, QStringLiteral("anchor"), textFrom(object, "anchor")));
        if (badDate(object, "createdOn"))
            return fail(notADate(record, "createdOn", object.value("createdOn")));
        const QJsonValue links = object.value("links");
        if (!links.isUndefined() && !links.isArray())
            return fail(QStringLiteral("%1: \"links\" is not an array").arg(record));
        TreeNode *first = id.isEmpty() ? nullptr : categoryByID.value(id);
        if (first && (id != NoneCategoryID || defaultGiven)) {
            if (notes)
                notes->append(
                    QStringLiteral("category %1 has the ID %2 of the category %3 given before it: it "
                                   "is left out and the links of that ID go to %3")
                        .arg(jsonQuoted(name), id, jsonQuoted(first->category()->name())));
            categoryNodes.push_back(first);
            continue;
        }
        TreeNode *node = first;
        if (id == NoneCategoryID) {
            defaultGiven = true;
        } else {
            auto category = std::make_unique<Category>();
            category->setName(name, textFrom(object, "anchor"));
            newCategories.push_back(std::make_unique<TreeNode>(std::move(category)));
            node = newCategories.back().get();
            node->setTitle(name);
        }
        if (!id.isEmpty())
            node->category()->setID(id);
        categoryByID.insert(node->category()->ID(), node);
        if (object.contains("createdOn"))
            node->category()->setCreatedOn(createdFrom(object.value("createdOn")));
        categoryNodes.push_back(node);
    }
    store.replaceChildren(store.categoryRoot(), {}, std::move(newCategories));
    std::unordered_map<TreeNode *, std::vector<std::unique_ptr<TreeNode>>> newLinks;
    QHash<QString, QString> linkTitleByID; // one link per ID: a second would be edited or deleted with it
    for (qsizetype c = 0; c < categories.size(); ++c) {
        const QJsonObject categoryObject = categories.at(c).toObject();
        for (const QJsonValue &linkValue : categoryObject.value("links").toArray()) {
            const QJsonObject object = linkValue.toObject();
            LinkFields f;
            f.title = textFrom(object, "title");
            const QString record = recordName("link", f.title);
            if (!linkValue.isObject())
                return fail(QStringLiteral("a link of the category %1 is not an object")
                                .arg(jsonQuoted(textFrom(categoryObject, "name"))));
            for (const char *key : {"createdOn", "lastVerifiedOn", "lastStatusChangedOn"}) {
                if (badDate(object, key))
                    return fail(notADate(record, key, object.value(QLatin1String(key))));
            }
            f.categoryID = object.contains("categoryID") ? object.value("categoryID").toString()
                                                         : categoryNodes[size_t(c)]->attachmentID();
            if (!storable(f.categoryID))
                return fail(unstorable(record, QStringLiteral("category ID"), f.categoryID));
            const QJsonValue id = object.value("ID");
            if (id.isString() && !storable(id.toString()))
                return fail(unstorable(record, QStringLiteral("ID"), id.toString()));
            f.URL = textFrom(object, "URL");
            f.description = textFrom(object, "description");
            f.keywords = textFrom(object, "keywords");
            f.counterpartURL = textFrom(object, "counterpartURL");
            for (const auto &[key, address] :
                 {std::pair{"URL", &f.URL}, {"counterpartURL", &f.counterpartURL}}) {
                if (!AddressTexts::isStorableAddress(TextUtils::oneLineString(*address)))
                    return fail(notAWebAddress(record, key, *address));
            }
            f.counterpartCategoryName = textFrom(object, "counterpartCategoryName");
            f.contactFirstName = textFrom(object, "contactFirstName");
            f.contactLastName = textFrom(object, "contactLastName");
            f.contactEmail = textFrom(object, "contactEmail");
            struct Code
            {
                const char *key;
                char fallback;
                char *into;
            };
            for (const Code &code :
                 {Code{"status", LinkStatusNew, &f.status}, Code{"type", LinkTypeReceived, &f.type},
                  Code{"draft", DraftMarkerFinal, &f.draft},
                  Code{"lastVerificationResult", VerificationNotVerified, &f.lastVerificationResult}}) {
                const QJsonValue given = object.value(QLatin1String(code.key));
                const std::optional<char> byte = codeFrom(given, code.fallback);
                if (!byte)
                    return fail(
                        QStringLiteral("%1: the %2 %3 is not one character from U+0000 to U+00FF")
                            .arg(record, QLatin1String(code.key),
                                 given.isString() ? jsonQuoted(given.toString()) : QStringLiteral("value")));
                *code.into = *byte;
            }
            f.lastVerifiedOn = dateFrom(object.value("lastVerifiedOn"));
            f.lastStatusChangedOn = object.contains("lastStatusChangedOn")
                                        ? dateFrom(object.value("lastStatusChangedOn"))
                                        : Clock::today();
            f.notes = textFrom(object, "notes");
            TreeNode *categoryNode = categoryByID.value(f.categoryID);
            if (!categoryNode)
                categoryNode = store.categoryNodeWithID(f.categoryID);
            if (!categoryNode)
                return fail(
                    QStringLiteral("link \"%1\" names the unknown category %2").arg(f.title, f.categoryID));
            auto newLink = std::make_unique<Link>();
            newLink->setTitle(f);
            Link *link = newLink.get();
            newLinks[categoryNode].push_back(std::make_unique<TreeNode>(std::move(newLink)));
            if (id.isString())
                link->setID(id.toString());
            // Checked on the ID the link ends up with, given or made: no two may share one.
            if (const auto earlier = linkTitleByID.constFind(link->ID()); earlier != linkTitleByID.cend())
                return fail(QStringLiteral("%1 has the ID %2 of the %3 given before it")
                                .arg(record, jsonQuoted(link->ID()), recordName("link", *earlier)));
            linkTitleByID.insert(link->ID(), f.title);
            if (object.contains("createdOn"))
                link->setCreatedOn(createdFrom(object.value("createdOn")));
            noteCutFields(*link, record, notes);
        }
    }
    for (auto &[categoryNode, links] : newLinks)
        store.replaceChildren(categoryNode, {}, std::move(links));

    // One entry per name, the first given, as the database reader keeps them.
    for (const QJsonValue &value : json.value("namedStrings").toArray()) {
        const QJsonObject object = value.toObject();
        const QString name = object.value("name").toString();
        if (store.stringForName(name).isNull())
            store.setString(object.value("value").toString(), name);
    }
    store.decodeWindowState();
    return true;
}

} // namespace DatabaseJson
