#include "SpreadsheetCell.h"

namespace SpreadsheetCell {

namespace {

bool startsFormula(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// Whether the text is quotes (maybe none) followed by a character that starts a formula.
bool quotedFormula(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u'\'')
        ++i;
    return i < text.size() && startsFormula(text.at(i));
}

} // namespace

QString guarded(const QString &text)
{
    return quotedFormula(text) ? u'\'' + text : text;
}

QString unguarded(const QString &cell)
{
    return cell.startsWith(u'\'') && quotedFormula(cell) ? cell.mid(1) : cell;
}

} // namespace SpreadsheetCell
