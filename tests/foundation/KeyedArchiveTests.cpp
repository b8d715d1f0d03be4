#include "foundation/KeyedArchive.hpp"

#include <plist/plist.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>

namespace spinewise {
namespace {

using ::testing::HasSubstr;

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

PlistPtr parse(const std::string& bytes) {
    plist_t node = nullptr;
    plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &node);
    return PlistPtr(node);
}

std::string serialize(plist_t node) {
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(node, &bytes, &length);
    std::string result(bytes, length);
    plist_to_bin_free(bytes);
    return result;
}

std::string stringOf(plist_t node) {
    char* text = nullptr;
    plist_get_string_val(node, &text);
    std::string result = text ? text : "<not a string>";
    std::free(text);
    return result;
}

std::uint64_t uidOf(plist_t node) {
    EXPECT_EQ(plist_get_node_type(node), PLIST_UID);
    std::uint64_t uid = 0;
    plist_get_uid_val(node, &uid);
    return uid;
}

/// Walks an archive by its UIDs, as a reader independent of the decoder would.
struct ArchiveTree {
    plist_t archive;

    plist_t objects() const { return plist_dict_get_item(archive, "$objects"); }
    plist_t at(plist_t uidNode) const {
        return plist_array_get_item(objects(), static_cast<std::uint32_t>(uidOf(uidNode)));
    }
    plist_t root() const { return at(plist_dict_get_item(plist_dict_get_item(archive, "$top"), "root")); }
    plist_t element(std::uint32_t index) const {
        return at(plist_array_get_item(plist_dict_get_item(root(), "NS.objects"), index));
    }
    plist_t classOf(plist_t object) const { return at(plist_dict_get_item(object, "$class")); }
};

ArchivedObject thing(std::string name, double size) {
    return {.classes = {"Thing", "NSObject"}, .fields = {{"name", std::move(name)}, {"size", size}}};
}

TEST(KeyedArchive, RoundTripKeepsEveryObjectAndValue) {
    const std::vector<std::vector<ArchivedObject>> cases = {
        {},
        {thing("desk", 0.45)},
        {thing("", -0.0), thing("Café ☕ 漢字", 1e300), thing("tiny", 5e-324),
         {.classes = {"Other", "Base", "NSObject"}, .fields = {}},
         {.classes = {"Thing", "NSObject"}, .fields = {{"only", 0.1 + 0.2}}}},
    };
    for (const auto& objects : cases) {
        SCOPED_TRACE(objects.size());
        EXPECT_EQ(decodeKeyedArchive(encodeKeyedArchive(objects)), objects);
    }
}

TEST(KeyedArchive, EncodesTheKeyedArchiverLayout) {
    const auto archive = parse(encodeKeyedArchive({thing("a", 1.5), thing("b", 2.5)}));
    ASSERT_TRUE(archive);
    const ArchiveTree tree{archive.get()};

    EXPECT_EQ(stringOf(plist_dict_get_item(archive.get(), "$archiver")), "NSKeyedArchiver");
    EXPECT_EQ(plist_uint_val_compare(plist_dict_get_item(archive.get(), "$version"), 100000), 0);
    EXPECT_EQ(stringOf(plist_array_get_item(tree.objects(), 0)), "$null");

    const auto arrayClass = tree.classOf(tree.root());
    EXPECT_EQ(stringOf(plist_dict_get_item(arrayClass, "$classname")), "NSArray");
    EXPECT_EQ(plist_array_get_size(plist_dict_get_item(arrayClass, "$classes")), 2U);
    EXPECT_EQ(plist_array_get_size(plist_dict_get_item(tree.root(), "NS.objects")), 2U);

    const auto second = tree.element(1);
    EXPECT_EQ(stringOf(tree.at(plist_dict_get_item(second, "name"))), "b") << "values live in $objects";
    double size = 0;
    plist_get_real_val(tree.at(plist_dict_get_item(second, "size")), &size);
    EXPECT_EQ(size, 2.5);
    EXPECT_EQ(uidOf(plist_dict_get_item(tree.element(0), "$class")), uidOf(plist_dict_get_item(second, "$class")))
        << "one class description for both objects";
    EXPECT_EQ(stringOf(plist_dict_get_item(tree.classOf(second), "$classname")), "Thing");
}

/// A valid archive of one Thing("a", 1.5), changed by `edit`, then decoded.
std::vector<ArchivedObject> decodeEdited(const std::function<void(const ArchiveTree&)>& edit) {
    const auto archive = parse(encodeKeyedArchive({thing("a", 1.5)}));
    edit(ArchiveTree{archive.get()});
    return decodeKeyedArchive(serialize(archive.get()));
}

TEST(KeyedArchive, AcceptsWhatOtherWritersProduce) {
    const auto decoded = decodeEdited([](const ArchiveTree& tree) {
        const auto arrayClass = tree.classOf(tree.root());
        plist_dict_set_item(arrayClass, "$classname", plist_new_string("NSMutableArray"));
        plist_t chain = plist_new_array();
        for (const char* name : {"NSMutableArray", "NSArray", "NSObject"})
            plist_array_append_item(chain, plist_new_string(name));
        plist_dict_set_item(arrayClass, "$classes", chain);
        plist_dict_set_item(tree.element(0), "name", plist_new_string("inline"));
        plist_dict_set_item(tree.element(0), "size", plist_new_uint(static_cast<std::uint64_t>(-3)));
        plist_dict_set_item(tree.element(0), "count", plist_new_uint(7));
    });
    ASSERT_EQ(decoded.size(), 1U);
    EXPECT_EQ(decoded[0].fields, (std::map<std::string, ArchivedValue, std::less<>>{
                                     {"name", "inline"}, {"size", -3.0}, {"count", 7.0}}));
}

struct Malformed {
    const char* name;
    std::function<void(const ArchiveTree&)> edit;
    const char* error;
};

void setRootUid(const ArchiveTree& tree, std::uint64_t uid) {
    plist_dict_set_item(plist_dict_get_item(tree.archive, "$top"), "root", plist_new_uid(uid));
}

class MalformedArchive : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedArchive, IsRejectedWithAClearError) {
    try {
        decodeEdited(GetParam().edit);
        FAIL() << "decoded";
    } catch (const KeyedArchiveError& error) {
        EXPECT_THAT(error.what(), HasSubstr(GetParam().error));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, MalformedArchive,
    ::testing::Values(
        Malformed{"ForeignArchiver",
                  [](const ArchiveTree& tree) {
                      plist_dict_set_item(tree.archive, "$archiver", plist_new_string("NSCoder"));
                  },
                  "\"$archiver\" is not \"NSKeyedArchiver\""},
        Malformed{"OtherVersion",
                  [](const ArchiveTree& tree) { plist_dict_set_item(tree.archive, "$version", plist_new_uint(99)); },
                  "\"$version\" is not 100000"},
        Malformed{"NoObjects", [](const ArchiveTree& tree) { plist_dict_remove_item(tree.archive, "$objects"); },
                  "the archive has no \"$objects\""},
        Malformed{"ObjectsNotAnArray",
                  [](const ArchiveTree& tree) { plist_dict_set_item(tree.archive, "$objects", plist_new_dict()); },
                  "\"$objects\" is not an array"},
        Malformed{"TopWithoutRoot",
                  [](const ArchiveTree& tree) { plist_dict_set_item(tree.archive, "$top", plist_new_dict()); },
                  "\"$top\" has no \"root\""},
        Malformed{"RootNotAUid",
                  [](const ArchiveTree& tree) {
                      plist_dict_set_item(plist_dict_get_item(tree.archive, "$top"), "root", plist_new_uint(1));
                  },
                  "\"$top\".\"root\" is not a UID"},
        Malformed{"RootNull", [](const ArchiveTree& tree) { setRootUid(tree, 0); }, "\"$top\".\"root\" is $null"},
        Malformed{"RootBeyondObjects", [](const ArchiveTree& tree) { setRootUid(tree, 1000); },
                  "refers to object 1000, beyond the end of \"$objects\""},
        Malformed{"RootIsAnElement",
                  [](const ArchiveTree& tree) { setRootUid(tree, uidOf(plist_array_get_item(
                                                               plist_dict_get_item(tree.root(), "NS.objects"), 0))); },
                  "the root object is a Thing, not an array"},
        Malformed{"RootArrayWithoutElements",
                  [](const ArchiveTree& tree) { plist_dict_remove_item(tree.root(), "NS.objects"); },
                  "the root object has no \"NS.objects\""},
        Malformed{"ElementNotAUid",
                  [](const ArchiveTree& tree) {
                      plist_array_set_item(plist_dict_get_item(tree.root(), "NS.objects"), plist_new_string("x"), 0);
                  },
                  "root array element 0 is not a UID"},
        Malformed{"ElementWithoutClass",
                  [](const ArchiveTree& tree) { plist_dict_remove_item(tree.element(0), "$class"); },
                  "root array element 0 has no \"$class\""},
        Malformed{"ClassWithoutChain",
                  [](const ArchiveTree& tree) { plist_dict_remove_item(tree.classOf(tree.element(0)), "$classes"); },
                  "the class of root array element 0 has no \"$classes\""},
        Malformed{"ChainNotStartingWithTheClassName",
                  [](const ArchiveTree& tree) {
                      plist_dict_set_item(tree.classOf(tree.element(0)), "$classname", plist_new_string("Else"));
                  },
                  "does not start with its \"$classname\""},
        Malformed{"FieldIsAnArray",
                  [](const ArchiveTree& tree) { plist_dict_set_item(tree.element(0), "name", plist_new_array()); },
                  "field \"name\" of root array element 0 is neither a string nor a number"},
        Malformed{"FieldRefersToAClassDescription",
                  [](const ArchiveTree& tree) {
                      plist_dict_set_item(tree.element(0), "name", plist_copy(plist_dict_get_item(tree.root(), "$class")));
                  },
                  "field \"name\" of root array element 0 is neither a string nor a number"},
        Malformed{"FieldBeyondObjects",
                  [](const ArchiveTree& tree) { plist_dict_set_item(tree.element(0), "size", plist_new_uid(77)); },
                  "field \"size\" of root array element 0 refers to object 77"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(KeyedArchive, RejectsBytesThatAreNoArchive) {
    const auto valid = encodeKeyedArchive({thing("a", 1.5)});
    const std::vector<std::pair<std::string, const char*>> cases = {
        {"", "not a binary property list"},
        {"<?xml version=\"1.0\"?><plist><dict/></plist>", "not a binary property list"},
        {valid.substr(0, valid.size() / 2), "damaged binary property list"},
        {serialize(PlistPtr(plist_new_array()).get()), "the archive is not a dictionary"},
    };
    for (const auto& [bytes, error] : cases) {
        SCOPED_TRACE(bytes.size());
        EXPECT_THROW(
            {
                try {
                    decodeKeyedArchive(bytes);
                } catch (const KeyedArchiveError& thrown) {
                    EXPECT_THAT(thrown.what(), HasSubstr(error));
                    throw;
                }
            },
            KeyedArchiveError);
    }
}

TEST(KeyedArchive, EveryTruncationOrFlippedByteDecodesOrThrowsButNeverCrashes) {
    const auto valid = encodeKeyedArchive({thing("a", 1.5), thing("b", 2.5)});
    std::size_t rejected = 0;
    const auto attempt = [&](const std::string& bytes) {
        try {
            decodeKeyedArchive(bytes);
        } catch (const KeyedArchiveError&) {
            ++rejected;
        }
    };
    for (std::size_t length = 0; length < valid.size(); ++length) attempt(valid.substr(0, length));
    EXPECT_EQ(rejected, valid.size()) << "no strict prefix is a whole archive";
    for (std::size_t index = 0; index < valid.size(); ++index) {
        for (const int mask : {0x01, 0x80, 0xff}) {
            auto damaged = valid;
            damaged[index] = static_cast<char>(static_cast<unsigned char>(damaged[index]) ^ mask);
            attempt(damaged);
        }
    }
}

}  // namespace
}  // namespace spinewise
