// The wizard's read-and-rewrite of a config: an apply that changes nothing leaves the text as it
// was; a value chosen through a row and applied reads back from the saved file, and every row
// left alone reads as before.
#include <fuzzer/FuzzedDataProvider.h>

#include "tests/fuzz/FuzzSupport.h"
#include "wizard/logic/SettingsModel.h"
#include "wizard/logic/WizardText.h"

using namespace brindle;
using namespace brindle::wizard;

namespace {

// A value for a row: mostly one its control could give, sometimes anything.
std::string valueFor(const FieldInfo& info, FuzzedDataProvider& in) {
  const auto pick = in.ConsumeIntegral<std::uint8_t>();
  if (pick % 4 == 0) return in.ConsumeRandomLengthString(40);
  switch (info.kind) {
    case FieldKind::Switch:
      return std::string(1, info.choices[std::size_t{pick} % info.choices.size()]);
    case FieldKind::Number: {
      const double span = info.maximum - info.minimum;
      double v = info.minimum + span * (pick / 255.0);
      if (!info.fractions) v = static_cast<double>(static_cast<long long>(v));
      return numberText(v);
    }
    case FieldKind::Colour:
      return formatColour(Rgb{pick, 255 - pick, pick / 2});
    case FieldKind::Text:
      break;
  }
  return in.ConsumeRandomLengthString(40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const FieldInfo& info = allFields()[in.ConsumeIntegralInRange<std::size_t>(0, kFieldCount - 1)];
  const std::string value = valueFor(info, in);
  const std::string file = in.ConsumeRemainingBytesAsString();

  WizardText text;
  text.loadFileText(file);
  const SettingsReading reading = readSettings(text);
  const SettingsValues& loaded = reading.values;

  // Untouched: nothing written, nothing changed.
  {
    WizardText same = text;
    FUZZ_REQUIRE(applySettings(same, loaded, loaded) == 0);
    FUZZ_REQUIRE(!same.modified() && same.fileText() == text.fileText());
  }

  SettingsValues chosen = loaded;
  const std::string error = chooseValue(chosen, info.field, value);
  if (!error.empty()) {
    FUZZ_REQUIRE(chosen == loaded);  // a refused choice changes nothing
    return 0;
  }
  FUZZ_REQUIRE(!refusalOf(loaded, chosen));
  applySettings(text, loaded, chosen);
  // The program does not save an apply the game would not read back; it says so instead.
  if (unreadChoice(text, loaded, chosen)) return 0;

  const std::string saved = text.fileText();
  FUZZ_REQUIRE(saved.size() <= 2 * file.size() + 256 + 4 * value.size());
  WizardText reopened;
  reopened.loadFileText(saved);
  const SettingsReading reread = readSettings(reopened);
  for (const FieldInfo& f : allFields()) {
    if (loaded[f.field] == chosen[f.field]) {
      FUZZ_REQUIRE(reread.values[f.field] == loaded[f.field]);
    } else {
      const Checked<std::string> written = checkValue(f.field, chosen[f.field]);
      FUZZ_REQUIRE(written && reread.values[f.field] == *written.value);
    }
  }
  // Saving again what was read back writes the same bytes.
  FUZZ_REQUIRE(reopened.fileText() == saved);
  return 0;
}
