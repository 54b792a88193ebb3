#include "document/StreamClasses.h"

#include "document/BarcodeItemProperties.h"
#include "document/TBarcodeItem.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<const TStreamClass*>& Registry() {
    static std::vector<const TStreamClass*> Classes;
    return Classes;
}

class TBarcodeItemClass final : public TStreamClass {
public:
    std::string_view StreamName() const override { return BarcodeStreamName; }
    TPrintable* Create(QWidget* Owner) const override { return new TBarcodeItem(Owner); }
    bool IsClassOf(const TPrintable& Item) const override {
        return qobject_cast<const TBarcodeItem*>(&Item) != nullptr;
    }
    void WriteProperties(TWriter& Writer, const TPrintable& Item) const override {
        ::WriteProperties(Writer, static_cast<const TBarcodeItem&>(Item), BarcodeItemProperties());
    }
    void ReadProperty(TReader& Reader, TPrintable& Item, std::string_view Path) const override {
        ::ReadProperty(Reader, static_cast<TBarcodeItem&>(Item), BarcodeItemProperties(), Path);
    }
    std::optional<TPropertyType> PropertyType(std::string_view Path) const override {
        return FindPropertyType(BarcodeItemProperties(), Path);
    }
    std::string_view RejectedPath(std::span<const std::string_view> Paths) const override {
        return RejectedBarcodePath(Paths);
    }
};

} // namespace

const TStreamClass& BarcodeItemClass() {
    static const TBarcodeItemClass Class;
    return Class;
}

const TStreamClass* StreamClassOf(const TPrintable& Item) {
    const TStreamClass& Barcode = BarcodeItemClass();
    return Barcode.IsClassOf(Item) ? &Barcode : nullptr;
}

void RegisterStreamClass(const TStreamClass& Class) {
    if (std::find(Registry().begin(), Registry().end(), &Class) == Registry().end())
        Registry().push_back(&Class);
}

void UnregisterStreamClass(const TStreamClass& Class) {
    std::erase(Registry(), &Class);
}

const TStreamClass* FindStreamClass(std::string_view Name) {
    for (const TStreamClass* Class : Registry())
        if (SameName(Class->StreamName(), Name))
            return Class;
    return nullptr;
}
