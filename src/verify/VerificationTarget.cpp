#include "VerificationTarget.h"

#include "VerificationManager.h"

void VerificationTarget::verificationReadyToResume(VerificationManager *manager)
{
    manager->resume();
}
