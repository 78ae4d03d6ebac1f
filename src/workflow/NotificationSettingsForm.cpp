#include "NotificationSettingsForm.h"

#include <QCoreApplication>

namespace NotificationSettingsForm {

namespace {

struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(NotificationSettingsForm)
};

} // namespace

QString numberName(Number number)
{
    switch (number) {
    case NegotiationStartTimeout:
        return Tr::tr("Negotiation Not Started");
    case LastingNegotiationTimeout:
        return Tr::tr("Lasting Negotiation");
    case LinkVerificationTimeout:
        return Tr::tr("Link Verification");
    case LinksInCategoryNumber:
        return Tr::tr("Links in Category");
    }
    return {};
}

int minimum(Number)
{
    return 0;
}

int maximum(Number number)
{
    return number == LinksInCategoryNumber ? 999999 : 9999;
}

int32_t &value(NotificationSettings &settings, Number number)
{
    switch (number) {
    case NegotiationStartTimeout:
        return settings.negotiationStartTimeout;
    case LastingNegotiationTimeout:
        return settings.lastingNegotiationTimeout;
    case LinkVerificationTimeout:
        return settings.linkVerificationTimeout;
    case LinksInCategoryNumber:
        break;
    }
    return settings.linksInCategoryNumber;
}

int32_t value(const NotificationSettings &settings, Number number)
{
    NotificationSettings copy = settings;
    return value(copy, number);
}

CheckResult check(const NotificationSettings &switches,
                  const std::array<std::optional<int>, NumberCount> &numbers)
{
    CheckResult result;
    result.settings = switches;
    for (int i = 0; i < NumberCount; ++i) {
        const auto number = Number(i);
        const std::optional<int> typed = numbers[size_t(i)];
        if (!typed || *typed < minimum(number) || *typed > maximum(number)) {
            result.passed = false;
            result.number = number;
            result.title = Tr::tr("The %1 field does not contain a valid number.").arg(numberName(number));
            result.message =
                Tr::tr("Enter a whole number from %1 to %2.").arg(minimum(number)).arg(maximum(number));
            result.settings = switches;
            return result;
        }
        value(result.settings, number) = *typed;
    }
    return result;
}

} // namespace NotificationSettingsForm
