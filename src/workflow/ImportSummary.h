#pragma once

#include <QStringList>

// What an import did, for callers that report it or save only after a change.
struct ImportSummary
{
    int added = 0;           // imported records with new IDs (links, or templates)
    int replaced = 0;        // existing records replaced by imported ones
    int skipped = 0;         // imported records left out
    int categoriesAdded = 0; // link import only
    bool asked = false;      // the duplicate question was asked
    bool cancelled = false;
    // Link import only: one sentence per link left out because an address of it is no web address
    // (also counted in `skipped`).
    QStringList refusedLinks;

    bool changed() const { return added > 0 || replaced > 0 || categoriesAdded > 0; }
};
