#pragma once

#include "document/PropertyTable.h"

#include <QWidget>

#include <span>
#include <string_view>

class TPrintable;

// A class of item that component streams can hold, under its stored class name.
class TStreamClass {
public:
    virtual ~TStreamClass() = default;
    virtual std::string_view StreamName() const = 0;
    // A new item owned by Owner (nullptr: none), not yet placed on anything.
    virtual TPrintable* Create(QWidget* Owner) const = 0;
    virtual bool IsClassOf(const TPrintable& Item) const = 0;
    virtual void WriteProperties(TWriter& Writer, const TPrintable& Item) const = 0;
    // Reads the value of one property record whose path has been read, and assigns it.
    virtual void ReadProperty(TReader& Reader, TPrintable& Item, std::string_view Path) const = 0;
    // The kind and names of a stored property, or nullopt for a path the class lacks.
    virtual std::optional<TPropertyType> PropertyType(std::string_view Path) const = 0;
    // The one of the paths read for an item, in their order, that a failure of the item's
    // validation at the end of reading names.
    virtual std::string_view RejectedPath(std::span<const std::string_view> Paths) const = 0;
};

// The barcode item, stored as "TQRepBarcode".
const TStreamClass& BarcodeItemClass();

// The classes of items this program writes; an item of any other class is not written.
const TStreamClass* StreamClassOf(const TPrintable& Item);

// The process-wide table from stored class name to class that readers create items from.
void RegisterStreamClass(const TStreamClass& Class);
void UnregisterStreamClass(const TStreamClass& Class);
// Compared without regard to case; nullptr when the name is not registered.
const TStreamClass* FindStreamClass(std::string_view Name);

// Registers a class for the life of the object (program start-up, tests).
class TStreamClassRegistration {
public:
    explicit TStreamClassRegistration(const TStreamClass& Class) : FClass(Class) {
        RegisterStreamClass(Class);
    }
    ~TStreamClassRegistration() { UnregisterStreamClass(FClass); }
    TStreamClassRegistration(const TStreamClassRegistration&) = delete;
    TStreamClassRegistration& operator=(const TStreamClassRegistration&) = delete;

private:
    const TStreamClass& FClass;
};
