#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace spinewise {

/// A value of an archived object's field: a string or a number.
using ArchivedValue = std::variant<std::string, double>;

/// One archived object: its class chain, most derived first (for example
/// {"Spinewise.Preset", "NSObject"}), and its keyed fields.
struct ArchivedObject {
    std::vector<std::string> classes;
    std::map<std::string, ArchivedValue, std::less<>> fields;

    bool operator==(const ArchivedObject&) const = default;
};

/// An archive that cannot be decoded; what() says what is wrong and where.
class KeyedArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A binary property list in the keyed-archiver layout whose root object is an
/// array of objects with string and number fields. Objects refer to each other
/// by UID into "$objects"; field values are plain plist strings and reals
/// there, and each class description is stored once.
std::string encodeKeyedArchive(const std::vector<ArchivedObject>& rootArray);

/// The root array of a keyed archive (NSArray or NSMutableArray). Field values
/// may be referenced by UID or stored in place; integers read as numbers.
/// Throws KeyedArchiveError for anything else.
std::vector<ArchivedObject> decodeKeyedArchive(std::string_view bytes);

}  // namespace spinewise
