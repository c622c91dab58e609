// Writes the oracle store: table vesha with the scrambled lot texts, table
// hanzi with the stroke counts. Scrambles with the program's own code and
// refuses any text that would not come back unchanged.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "common/codepage.h"
#include "oracle/oracle_text.h"
#include "oracle/store_writer.h"
#include "tools/lot_source.h"
#include "tools/stroke_source.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "storebuild: %s\n", message.c_str());
  return 1;
}

std::string Scrambled(int lot, const std::wstring& text, std::string& error) {
  size_t unheld = 0;
  const auto stored = oracle::ScrambleOracleText(text, oracle::kTextKey, &unheld);
  if (!stored || oracle::DecodeOracleText(*stored, oracle::kTextKey) != text) {
    const wchar_t c = stored ? L'?' : text[unheld];
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    error = "lot " + std::to_string(lot) + ": the character " + win::ToUtf8(std::wstring_view(&c, 1)) +
            " (" + code + ") cannot be stored";
    return {};
  }
  return *stored;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return Fail("usage: storebuild <kTotalStrokes file> <lots folder> <store>");
  const std::filesystem::path strokesFile(argv[1]), lotsFolder(argv[2]), storePath(argv[3]);

  tools::LotTexts texts;
  tools::LotSourceError sourceError;
  if (!tools::ReadLotFolder(lotsFolder, texts, sourceError))
    return Fail(sourceError.where + ": " + sourceError.message);

  std::ifstream in(strokesFile, std::ios::binary);
  if (!in.is_open()) return Fail("cannot read the stroke counts");
  std::ostringstream unihan;
  unihan << in.rdbuf();
  const auto strokes = tools::ReadStrokeCounts(unihan.str());
  if (strokes.empty()) return Fail("no stroke counts found");

  // Every text is checked before anything is written.
  std::map<int, std::string> contents;
  for (const auto& [lot, text] : texts) {
    std::string error;
    contents[lot] = Scrambled(lot, text, error);
    if (!error.empty()) return Fail(error);
  }

  // Written beside the target and moved over it only when complete.
  std::filesystem::path temp = storePath;
  temp += L".tmp";
  std::string error;
  {
    auto store = oracle::StoreWriter::Create(temp, error);
    if (!store) {
      error = "cannot create the store: " + error;
    } else {
      for (const auto& [lot, content] : contents)
        if (error.empty() && !store->AddLot(lot, content)) error = "cannot write lot " + std::to_string(lot);
      for (const auto& c : strokes)
        if (error.empty() && !store->AddCharacter(std::wstring_view(&c.character, 1), std::to_wstring(c.strokes)))
          error = "cannot write table hanzi";
      if (error.empty() && !store->Commit()) error = "cannot write the store: " + store->LastError();
    }
  }
  if (!error.empty()) {
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    return Fail(error);
  }
  if (!::MoveFileExW(temp.c_str(), storePath.c_str(), MOVEFILE_REPLACE_EXISTING))
    return Fail("cannot replace the store");
  std::printf("storebuild: %zu lots, %zu stroke counts\n", texts.size(), strokes.size());
  return 0;
}
