#pragma once

class QNetworkAccessManager;

// Deletes HTTP clients away from the caller's thread. A client's destructor waits (up to 5 s) for its
// connection thread, which may still be busy with what a hostile server flooded it with, so clients
// are deleted on a thread of their own. That thread is stopped and joined while the application
// object is destroyed, before any static destructor runs: no thread outlives main().
class RetiredClients
{
public:
    // Takes the client over; it must have no parent's ownership left to honour (it is unparented).
    static void retire(QNetworkAccessManager *network);
    // Deletes what is still retired and joins the thread. Registered to run when the application
    // object goes; safe to call again, and retiring afterwards deletes on the caller's thread.
    static void shutDown();
};
