#pragma once

#include <QString>
#include <cstdint>

// The operations every record that hangs in a TreeNode offers.
class Attachment
{
public:
    enum class Kind
    {
        Link,
        Category,
        EmailTemplate,
        Notification
    };

    virtual ~Attachment() = default;

    virtual Kind kind() const = 0;

    virtual QString nodeTitle() const = 0;
    virtual int32_t sizeOfDataRepresentation() const = 0;
    // Reads the record from exactly sizeOfDataRepresentation() bytes; the caller checked they exist.
    virtual void loadDataRepresentation(const char *bytes) = 0;
    // Writes exactly sizeOfDataRepresentation() bytes and returns the buffer.
    virtual char *getDataRepresentation(char *buffer) const = 0;
    virtual bool containsString(const QString &text) const = 0;
    virtual bool equals(const Attachment &other) const = 0;
    // Negative: the receiver sorts before other; 0: equal; positive: after.
    virtual int compare(const Attachment &other) const = 0;
    virtual QString ID() const = 0;
};
