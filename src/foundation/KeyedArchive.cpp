#include "foundation/KeyedArchive.hpp"

#include "foundation/Fatal.hpp"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <memory>

namespace spinewise {
namespace {

constexpr std::uint64_t kArchiveVersion = 100000;
constexpr std::string_view kArchiverName = "NSKeyedArchiver";
constexpr std::string_view kBinaryMagic = "bplist00";

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

/// Takes ownership of a string libplist allocated.
std::string adoptString(char* text) {
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

std::string stringValue(plist_t node) {
    char* text = nullptr;
    plist_get_string_val(node, &text);
    return adoptString(text);
}

/// Builds the "$objects" table: every entry appended gets the next UID.
class ObjectTable {
public:
    ObjectTable() : objects_(plist_new_array()) { append(plist_new_string("$null")); }

    std::uint64_t append(plist_t node) {
        plist_array_append_item(objects_.get(), node);
        return nextUid_++;
    }

    std::uint64_t classDescription(const std::vector<std::string>& classes) {
        if (classes.empty()) fatalError("An archived object needs at least one class name");
        if (const auto found = classUids_.find(classes); found != classUids_.end()) return found->second;
        plist_t description = plist_new_dict();
        plist_dict_set_item(description, "$classname", plist_new_string(classes.front().c_str()));
        plist_t chain = plist_new_array();
        for (const auto& name : classes) plist_array_append_item(chain, plist_new_string(name.c_str()));
        plist_dict_set_item(description, "$classes", chain);
        const auto uid = append(description);
        classUids_.emplace(classes, uid);
        return uid;
    }

    plist_t release() { return objects_.release(); }

private:
    PlistPtr objects_;
    std::uint64_t nextUid_ = 0;
    std::map<std::vector<std::string>, std::uint64_t> classUids_;
};

plist_t valueNode(const ArchivedValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return plist_new_string(text->c_str());
    return plist_new_real(std::get<double>(value));
}

/// Reads the layout back, naming the place of every fault it finds.
class ArchiveReader {
public:
    explicit ArchiveReader(plist_t archive) : archive_(archive) {}

    std::vector<ArchivedObject> rootArray() {
        requireType(archive_, PLIST_DICT, "the archive");
        const auto archiver = member(archive_, "$archiver", "the archive");
        if (plist_get_node_type(archiver) != PLIST_STRING || stringValue(archiver) != kArchiverName)
            fail("\"$archiver\" is not \"NSKeyedArchiver\"");
        const auto version = member(archive_, "$version", "the archive");
        if (plist_get_node_type(version) != PLIST_UINT || plist_uint_val_compare(version, kArchiveVersion) != 0)
            fail("\"$version\" is not 100000");
        objects_ = member(archive_, "$objects", "the archive");
        requireType(objects_, PLIST_ARRAY, "\"$objects\"");
        const auto top = member(archive_, "$top", "the archive");
        requireType(top, PLIST_DICT, "\"$top\"");

        const auto root = referenced(member(top, "root", "\"$top\""), "\"$top\".\"root\"");
        const auto rootName = "the root object";
        requireType(root, PLIST_DICT, rootName);
        const auto className = classesOf(root, rootName).front();
        if (className != "NSArray" && className != "NSMutableArray")
            fail(std::string(rootName) + " is a " + className + ", not an array");
        const auto elements = member(root, "NS.objects", rootName);
        requireType(elements, PLIST_ARRAY, "\"NS.objects\" of the root array");

        std::vector<ArchivedObject> result;
        const auto count = plist_array_get_size(elements);
        for (std::uint32_t index = 0; index < count; ++index) {
            const auto place = "root array element " + std::to_string(index);
            result.push_back(object(referenced(plist_array_get_item(elements, index), place), place));
        }
        return result;
    }

private:
    [[noreturn]] static void fail(const std::string& what) { throw KeyedArchiveError(what); }

    static void requireType(plist_t node, plist_type type, const std::string& what) {
        static constexpr std::string_view kNames[] = {"a boolean", "an integer", "a real", "a string",
                                                      "an array", "a dictionary", "a date", "data",
                                                      "a key", "a UID", "nothing"};
        if (plist_get_node_type(node) == type) return;
        const auto index = static_cast<std::size_t>(type);
        fail(what + " is not " + std::string(index < std::size(kNames) ? kNames[index] : "of the expected type"));
    }

    static plist_t member(plist_t dictionary, const char* key, const std::string& owner) {
        const auto node = plist_dict_get_item(dictionary, key);
        if (!node) fail(owner + " has no \"" + key + "\"");
        return node;
    }

    /// The "$objects" entry a UID node points at.
    plist_t referenced(plist_t uidNode, const std::string& what) const {
        requireType(uidNode, PLIST_UID, what);
        std::uint64_t uid = 0;
        plist_get_uid_val(uidNode, &uid);
        if (uid == 0) fail(what + " is $null");
        if (uid >= plist_array_get_size(objects_))
            fail(what + " refers to object " + std::to_string(uid) + ", beyond the end of \"$objects\"");
        return plist_array_get_item(objects_, static_cast<std::uint32_t>(uid));
    }

    std::vector<std::string> classesOf(plist_t object, const std::string& what) const {
        const auto place = "the class of " + what;
        const auto description = referenced(member(object, "$class", what), place);
        requireType(description, PLIST_DICT, place);
        const auto className = member(description, "$classname", place);
        requireType(className, PLIST_STRING, "\"$classname\" of " + what);
        const auto chain = member(description, "$classes", place);
        requireType(chain, PLIST_ARRAY, "\"$classes\" of " + what);
        std::vector<std::string> classes;
        const auto count = plist_array_get_size(chain);
        for (std::uint32_t index = 0; index < count; ++index) {
            const auto name = plist_array_get_item(chain, index);
            requireType(name, PLIST_STRING, "\"$classes\" element " + std::to_string(index) + " of " + what);
            classes.push_back(stringValue(name));
        }
        if (classes.empty() || classes.front() != stringValue(className))
            fail("\"$classes\" of " + what + " does not start with its \"$classname\"");
        return classes;
    }

    ArchivedObject object(plist_t node, const std::string& what) const {
        requireType(node, PLIST_DICT, what);
        ArchivedObject result{.classes = classesOf(node, what), .fields = {}};
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        const std::unique_ptr<void, decltype(&std::free)> iteratorOwner(iterator, &std::free);
        for (;;) {
            char* rawKey = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &rawKey, &value);
            if (!value) {
                std::free(rawKey);
                return result;
            }
            const auto key = adoptString(rawKey);
            if (key == "$class") continue;
            const auto place = "field \"" + key + "\" of " + what;
            result.fields.emplace(key, fieldValue(plist_get_node_type(value) == PLIST_UID ? referenced(value, place)
                                                                                         : value,
                                                  place));
        }
    }

    static ArchivedValue fieldValue(plist_t node, const std::string& what) {
        switch (plist_get_node_type(node)) {
        case PLIST_STRING:
            return stringValue(node);
        case PLIST_REAL: {
            double value = 0;
            plist_get_real_val(node, &value);
            return value;
        }
        case PLIST_UINT: {
            // Binary property lists keep negative integers as 64-bit two's complement.
            std::uint64_t bits = 0;
            plist_get_uint_val(node, &bits);
            return static_cast<double>(static_cast<std::int64_t>(bits));
        }
        default:
            fail(what + " is neither a string nor a number");
        }
    }

    plist_t archive_;
    plist_t objects_ = nullptr;
};

}  // namespace

std::string encodeKeyedArchive(const std::vector<ArchivedObject>& rootArray) {
    ObjectTable table;
    plist_t arrayObject = plist_new_dict();
    const auto rootUid = table.append(arrayObject);
    plist_t elements = plist_new_array();
    plist_dict_set_item(arrayObject, "NS.objects", elements);
    for (const auto& object : rootArray) {
        plist_t dictionary = plist_new_dict();
        plist_array_append_item(elements, plist_new_uid(table.append(dictionary)));
        for (const auto& [key, value] : object.fields)
            plist_dict_set_item(dictionary, key.c_str(), plist_new_uid(table.append(valueNode(value))));
        plist_dict_set_item(dictionary, "$class", plist_new_uid(table.classDescription(object.classes)));
    }
    plist_dict_set_item(arrayObject, "$class", plist_new_uid(table.classDescription({"NSArray", "NSObject"})));

    const PlistPtr archive(plist_new_dict());
    plist_dict_set_item(archive.get(), "$version", plist_new_uint(kArchiveVersion));
    plist_dict_set_item(archive.get(), "$archiver", plist_new_string(std::string(kArchiverName).c_str()));
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(rootUid));
    plist_dict_set_item(archive.get(), "$top", top);
    plist_dict_set_item(archive.get(), "$objects", table.release());

    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(archive.get(), &bytes, &length);
    if (!bytes) fatalError("Cannot write a binary property list");
    std::string result(bytes, length);
    plist_to_bin_free(bytes);
    return result;
}

std::vector<ArchivedObject> decodeKeyedArchive(std::string_view bytes) {
    if (!bytes.starts_with(kBinaryMagic)) throw KeyedArchiveError("not a binary property list");
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) throw KeyedArchiveError("archive too large");
    plist_t parsed = nullptr;
    plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &parsed);
    const PlistPtr archive(parsed);
    if (!archive) throw KeyedArchiveError("damaged binary property list");
    return ArchiveReader(archive.get()).rootArray();
}

}  // namespace spinewise
