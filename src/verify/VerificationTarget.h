#pragma once

class VerificationManager;

// Receives the one report of each check that was not cancelled. A check decided from the addresses
// alone reports before `VerificationManager::verifyLink` returns, so implementations must accept a
// report that re-enters their own call.
class VerificationTarget
{
public:
    virtual ~VerificationTarget() = default;
    virtual void verificationCompleted(VerificationManager *manager) = 0;
};
