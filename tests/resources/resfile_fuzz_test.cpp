// Randomly damaged resource data, fed to every part of the reader. Under AddressSanitizer an
// out-of-bounds read fails the test; without it the invariants of the results still must hold.
#include "platform/resources/resfile.h"
#include "resources/resource.h"
#include "tests/resources/res_builder.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <random>

namespace {

// QUILLMERE_FUZZ_INPUTS sets how many damaged inputs each test makes, for a long run;
// `usual` without it.
int inputsPerTest(int usual) {
    const char *setting = getenv("QUILLMERE_FUZZ_INPUTS");
    long n = setting ? strtol(setting, nullptr, 10) : 0;
    return n > 0 && n < 2000000000 ? (int)n : usual;
}

// A small image of real entries: one of each kind the reader decodes.
Bytes sampleImage() {
    const ResourceBytes full = embeddedResourceImage();
    struct Pick {
        uint16_t type, id;
    };
    const Pick picks[] = {{ResourceTypeDialog, IDD_BOARD},   {ResourceTypeDialog, IDD_MESSAGE},
                          {ResourceTypeMenu, IDR_MAINMENU},  {ResourceTypeString, 7},
                          {ResourceTypeBitmap, IDB_PRESENT}, {ResourceTypeGroupIcon, IDI_SMALL}};
    Bytes image = emptyImage();
    for (const Pick &p : picks) {
        ResourceBytes data;
        EXPECT_TRUE(findResource(full, p.type, p.id, &data));
        addEntry(image, p.type, p.id, 0x0C0A, Bytes(data.data, data.data + data.size));
    }
    // The small icon's image, under the number its group names.
    ResourceBytes group;
    EXPECT_TRUE(findResource(full, ResourceTypeGroupIcon, IDI_SMALL, &group));
    const uint16_t imageId = uint16_t(group.data[6 + 12] | group.data[6 + 13] << 8);
    ResourceBytes icon;
    EXPECT_TRUE(findResource(full, ResourceTypeIcon, imageId, &icon));
    addEntry(image, ResourceTypeIcon, imageId, 0x0C0A, Bytes(icon.data, icon.data + icon.size));
    return image;
}

void mutate(Bytes &b, std::mt19937 &random) {
    const int nrChanges = 1 + random() % 6;
    for (int i = 0; i < nrChanges && !b.empty(); ++i) {
        const size_t at = random() % b.size();
        switch (random() % 6) {
        case 0:
            b[at] = uint8_t(random());
            break;
        case 1:
            b[at] ^= uint8_t(1u << (random() % 8));
            break;
        case 2: // a WORD set to one of the values that steer the parsers
        {
            static const uint16_t special[] = {0, 1, 0xFFFF, 0x8000, 0x7FFF, 0x0010, 0x0080};
            const uint16_t v = special[random() % 7];
            b[at] = v & 0xFF;
            if (at + 1 < b.size())
                b[at + 1] = v >> 8;
            break;
        }
        case 3: // a large DWORD
            for (size_t k = at; k < at + 4 && k < b.size(); ++k)
                b[k] = uint8_t(random() | 0x80);
            break;
        case 4:
            b.erase(b.begin() + at);
            break;
        default:
            b.resize(at);
            break;
        }
    }
    b.shrink_to_fit(); // so that any read past the end leaves the allocation
}

void checkDib(const DecodedDib &d) {
    ASSERT_GT(d.width, 0);
    ASSERT_GT(d.height, 0);
    ASSERT_EQ(d.indices.size(), size_t(d.width) * d.height);
    ASSERT_EQ(d.pixels.size(), d.indices.size());
}

// How many damaged inputs each stage accepted: a mutation test that stops at the container
// would never reach the decoders.
struct Reached {
    int image = 0, dialog = 0, menu = 0, string = 0, dib = 0, icon = 0;
};

// Every entry point of the reader on one image; results must be self-consistent.
void exercise(ResourceBytes image, Reached &reached) {
    std::vector<ResourceEntry> entries;
    if (listResources(image, &entries)) {
        ++reached.image;
        for (const ResourceEntry &e : entries)
            ASSERT_LE(e.data.data + e.data.size, image.data + image.size);
    }
    ResourceBytes bytes;
    DialogTemplate dialog;
    for (uint16_t id : {IDD_BOARD, IDD_MESSAGE})
        if (findResource(image, ResourceTypeDialog, id, &bytes) && decodeDialog(bytes, &dialog))
            ++reached.dialog;
    std::vector<MenuItemTemplate> menu;
    if (findResource(image, ResourceTypeMenu, IDR_MAINMENU, &bytes) && decodeMenu(bytes, &menu))
        ++reached.menu;
    std::string text;
    if (findString(image, IDS_APP_TITLE, &text))
        ++reached.string;
    findString(image, IDS_WINDOW_CLASS, &text);
    DecodedDib dib;
    if (findResource(image, ResourceTypeBitmap, IDB_PRESENT, &bytes) && decodeDib(bytes, &dib)) {
        ++reached.dib;
        checkDib(dib);
    }
    std::vector<DecodedIcon> icons;
    if (decodeIconGroup(image, IDI_SMALL, &icons)) {
        ++reached.icon;
        for (const DecodedIcon &icon : icons) {
            ASSERT_EQ(icon.pixels.size(), size_t(icon.width) * icon.height);
            ASSERT_EQ(icon.transparent.size(), icon.pixels.size());
        }
    }
}

// Each decoder on its own damaged data, where most mutations reach deep into the format.
// True when the decoder accepted the data.
bool exerciseData(uint16_t type, ResourceBytes bytes) {
    switch (type) {
    case ResourceTypeDialog: {
        DialogTemplate d;
        return decodeDialog(bytes, &d);
    }
    case ResourceTypeMenu: {
        std::vector<MenuItemTemplate> m;
        return decodeMenu(bytes, &m);
    }
    case ResourceTypeBitmap: {
        DecodedDib d;
        if (!decodeDib(bytes, &d))
            return false;
        checkDib(d);
        return true;
    }
    case ResourceTypeIcon: {
        DecodedIcon icon;
        if (!decodeIconImage(bytes, &icon))
            return false;
        EXPECT_EQ(icon.transparent.size(), size_t(icon.width) * icon.height);
        return true;
    }
    }
    return false;
}

TEST(ResFileFuzz, DamagedImagesAreRefusedOrReadWithinBounds) {
    const Bytes sample = sampleImage();
    Reached whole;
    exercise({sample.data(), sample.size()}, whole);
    ASSERT_EQ(whole.image + whole.dialog + whole.menu + whole.string + whole.dib + whole.icon, 7);
    std::mt19937 random(20261208);
    const int nrInputs = inputsPerTest(50000);
    Reached reached;
    for (int i = 0; i < nrInputs; ++i) {
        Bytes b = sample;
        mutate(b, random);
        exercise({b.data(), b.size()}, reached);
        if (HasFatalFailure())
            FAIL() << "input " << i;
    }
    // Damage mostly lands in the data, so every decoder sees many damaged inputs.
    for (int n :
         {reached.image, reached.dialog, reached.menu, reached.string, reached.dib, reached.icon})
        EXPECT_GT(n, nrInputs / 50);
    printf("accepted of %d: image %d, dialogs %d, menu %d, string %d, bitmap %d, icon %d\n",
           nrInputs, reached.image, reached.dialog, reached.menu, reached.string, reached.dib,
           reached.icon);
}

TEST(ResFileFuzz, DamagedResourcesAreRefusedOrReadWithinBounds) {
    const ResourceBytes full = embeddedResourceImage();
    struct Pick {
        uint16_t type, id;
    };
    const Pick picks[] = {{ResourceTypeDialog, IDD_BOARD},      {ResourceTypeDialog, IDD_ABOUT},
                          {ResourceTypeMenu, IDR_MAINMENU},     {ResourceTypeBitmap, IDB_PRESENT},
                          {ResourceTypeBitmap, IDB_LEVER_HIGH}, {ResourceTypeIcon, 1}};
    std::mt19937 random(8121620);
    const int nrInputsEach = inputsPerTest(60000) / int(sizeof picks / sizeof picks[0]);
    for (const Pick &p : picks) {
        ResourceBytes data;
        ASSERT_TRUE(findResource(full, p.type, p.id, &data));
        const Bytes original(data.data, data.data + data.size);
        int nrAccepted = 0;
        for (int i = 0; i < nrInputsEach; ++i) {
            Bytes b = original;
            mutate(b, random);
            nrAccepted += exerciseData(p.type, {b.data(), b.size()});
            if (HasFailure())
                FAIL() << "type " << p.type << " id " << p.id << " input " << i;
        }
        EXPECT_GT(nrAccepted, nrInputsEach / 50) << "type " << p.type << " id " << p.id;
    }
}

} // namespace
