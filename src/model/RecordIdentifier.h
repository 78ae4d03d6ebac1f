#pragma once

#include <QString>
#include <cstdint>

// Makes "LNK%ld"-style identifiers: the current time in seconds, raised to one more than the
// last identifier of the same kind, so identifiers of a kind strictly increase within a run.
class RecordIdentifier
{
public:
    enum Kind
    {
        LinkKind,
        CategoryKind,
        EmailTemplateKind
    };

    static QString next(Kind kind);
    // Only for tests that need a known starting point.
    static void resetForTesting();
    static int64_t lastValue(Kind kind);
};
