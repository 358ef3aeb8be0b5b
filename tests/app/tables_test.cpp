// The tables every choice is made from: each value once, at its own place where
// the panel sets it by position, labels and words unique; every behaviour table
// with one entry for each value; every option's global and word once.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/options.h"
#include "data/formats.h"
#include "render/mode_drawing.h"

namespace {

// Values 0..n-1 once each (at their place when `by_position`), labels and words unique.
void expect_complete(const NamedList& names, const char* what, bool by_position) {
    std::set<int> values;
    std::set<std::string> labels, words;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Named& n = names[i];
        EXPECT_TRUE(n.value >= 0 && n.value < static_cast<int>(names.size())) << what << " " << i;
        if (by_position) {
            EXPECT_EQ(n.value, static_cast<int>(i)) << what;
        }
        values.insert(n.value);
        EXPECT_TRUE(!n.label || labels.insert(n.label).second) << what << " " << n.label;
        EXPECT_TRUE(!n.word || words.insert(n.word).second) << what << " " << n.word;
    }
    EXPECT_EQ(values.size(), names.size()) << what;
}

TEST(Tables, EveryChoiceAndItsBehaviourHasOneEntryForEachValue) {
    expect_complete(kStereoForms, "stereo forms", true);
    expect_complete(kAxisScalings, "axis scalings", true);
    expect_complete(kDisplayModes, "display modes", true);
    expect_complete(kColorByChoices, "colour by", true);
    expect_complete(kApplyColorTargets, "colour targets", true);
    expect_complete(kAnaglyphColourChoices, "anaglyph colours", true);
    expect_complete(kDataFormats, "formats", false);  // the panel goes by value
    for (const ViewPreset& v : kViewPresets) EXPECT_EQ(std::to_string(v.name.value), v.name.word);

    std::set<std::string> fuzz_names;
    for (int f = 0; f < kDataFormatCount; ++f) {
        const FileFormat* format = file_format(f);
        ASSERT_TRUE(format && format->read && format->guess && format->refusal_hint &&
                    format->sample)
            << f;
        EXPECT_TRUE(fuzz_names.insert(format->fuzz_name).second) << format->fuzz_name;
    }
    for (int m = 0; m < kDisplayModeCount; ++m) {
        const ModeDrawing* drawing = mode_drawing(m);
        ASSERT_TRUE(drawing && drawing->tube_count) << m;
        EXPECT_EQ(drawing->tubes != nullptr, draws_tubes(m)) << m;
    }
    EXPECT_EQ(file_format(kDataFormatCount), nullptr);
    EXPECT_EQ(mode_drawing(-1), nullptr);

    std::set<const void*> globals;
    std::set<std::string> options_given;
    for (const Option& o : options()) {
        EXPECT_TRUE(!o.global || globals.insert(o.global).second) << o.name;
        EXPECT_TRUE(!o.cli || options_given.insert(o.cli).second) << o.cli;
        EXPECT_TRUE(o.type != OptionType::choice || o.choices.size() > 0) << o.name;
    }
}

}  // namespace
