#pragma once

#include "VerificationDetails.h"
#include "model/Codes.h"

class Category;
class Link;

// One row of a verification run: the link, its category, its tick and where its check stands. The
// run only reads the stored records; saving goes through the store.
class LinkInfo
{
public:
    LinkInfo(const Link *link, const Category *category, VerificationResult result, bool selected)
        : m_result(result), m_selected(selected), m_link(link), m_category(category)
    {}

    // Any result, even "not verified", means the row has had its turn in this run.
    void setResult(VerificationResult result)
    {
        m_result = result;
        m_verified = true;
    }
    void setSelected(bool selected) { m_selected = selected; }
    void setDetails(const VerificationDetails &details) { m_details = details; }

    VerificationResult result() const { return m_result; }
    bool selected() const { return m_selected; }
    const Link *link() const { return m_link; }
    const Category *category() const { return m_category; }
    bool verified() const { return m_verified; }
    const VerificationDetails &details() const { return m_details; }

private:
    VerificationResult m_result;
    bool m_selected;
    const Link *m_link;
    const Category *m_category;
    bool m_verified = false;
    VerificationDetails m_details;
};
