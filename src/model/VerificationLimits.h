#pragma once

// How much of a verification run goes on at once: checks under way, and fetches to one server, so
// that a run over many servers is quick and a run over one server stays polite.
struct VerificationLimits
{
    static constexpr int DefaultConcurrency = 4;
    static constexpr int MinimumConcurrency = 1;
    static constexpr int MaximumConcurrency = 64;
    static constexpr int DefaultPerHost = 4;
    static constexpr int MinimumPerHost = 1;
    static constexpr int MaximumPerHost = 16;

    int concurrency = DefaultConcurrency; // checks under way at once
    int perHost = DefaultPerHost;         // fetches to one host (name and port) at once

    static bool isValidConcurrency(int value)
    {
        return value >= MinimumConcurrency && value <= MaximumConcurrency;
    }
    static bool isValidPerHost(int value) { return value >= MinimumPerHost && value <= MaximumPerHost; }

    // The user's preferences, read now; a stored value out of range is brought to the nearest bound.
    static VerificationLimits fromPreferences();

    bool operator==(const VerificationLimits &) const = default;
};
