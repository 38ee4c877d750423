#pragma once

#include <QString>
#include <QStringList>

// Finding the parameters of a statement. A parameter is a colon directly
// followed by its name; the name runs up to the next blank, comma,
// semicolon, closing parenthesis or line break, or the end of the text. A
// colon inside a quoted literal starts none, and "::" is left as it is.
struct ParsedStatement {
    QString sql;             // the statement with each parameter replaced by "?"
    QStringList occurrences; // the parameter names in the order they stand
    QStringList names;       // each name once, in order of first appearance
};

ParsedStatement ParseParameters(const QString &text);
