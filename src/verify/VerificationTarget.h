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
    // The check waits before it looks at a links page again: it fetches nothing meanwhile, so a run
    // may start another check in its place.
    virtual void verificationPaused(VerificationManager *manager) { (void)manager; }
    // The pause is over. The check goes on when `VerificationManager::resume` is called: at once
    // unless the target holds it back until it has room.
    virtual void verificationReadyToResume(VerificationManager *manager);
};
