// Code pages of DBF character data. Every table carries one code page: a
// language-driver byte and name for its header, and a pair of 256-byte tables
// that translate text between the programs (Windows-1250) and the bytes the
// file stores in C fields and memo text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarn {

// The code pages the engine knows, in their fixed order: the ordinal is what
// open options and table handles store, so neither values nor order may change.
enum CP_TYPE : uint8_t {
  Access_General,
  Access_Greece,
  Access_Japanese,
  Access_NordDanish,
  Access_SwedFinnish,
  ascii_ANSI,  // = 5
  Borland_ANSI_Arabic,
  Borland_DAN_Latin1,
  Borland_DEU_Latin1,
  Borland_ENG_Latin1,
  Borland_ENU_Latin1,
  Borland_ESP_Latin1,
  Borland_FIN_Latin1,
  Borland_FRA_Latin1,
  Borland_FRC_Latin1,
  Borland_ISL_Latin1,
  Borland_ITA_Latin1,
  Borland_NLD_Latin1,
  Borland_NOR_Latin1,
  Borland_PTG_Latin1,
  Borland_SVE_Latin1,
  DB2_SQL_ANSI_DEU,
  dBASE_BUL_868,
  dBASE_CHS_cp936,
  dBASE_CHT_cp950,
  dBASE_CSY_cp852,
  dBASE_CSY_cp867,
  dBASE_DAN_cp865,
  dBASE_DEU_cp437,
  dBASE_DEU_cp850,
  dBASE_ELL_GR437,
  dBASE_ENG_cp437,
  dBASE_ENG_cp850,
  dBASE_ENU_cp437,
  dBASE_ENU_cp850,
  dBASE_ESP_cp437,
  dBASE_ESP_cp850,
  dBASE_FIN_cp437,
  dBASE_FRA_cp437,
  dBASE_FRA_cp850,
  dBASE_FRC_cp850,
  dBASE_FRC_cp863,
  dBASE_HUN_cp852,
  dBASE_ITA_cp437,
  dBASE_ITA_cp850,
  dBASE_JPN_cp932,
  dBASE_JPN_Dic932,
  dBASE_KOR_cp949,
  dBASE_NLD_cp437,
  dBASE_NLD_cp850,
  dBASE_NOR_cp865,
  dBASE_PLK_cp852,
  dBASE_PTB_cp850,
  dBASE_PTG_cp860,
  dBASE_RUS_cp866,
  dBASE_SLO_cp852,
  dBASE_SVE_cp437,
  dBASE_SVE_cp850,
  dBASE_THA_cp874,
  dBASE_TRK_cp857,
  FoxPro_Czech_1250,
  FoxPro_Czech_DOS895,
  FoxPro_German_1252,
  FoxPro_German_437,
  FoxPro_Nordic_1252,
  FoxPro_Nordic_437,
  FoxPro_Nordic_850,
  Hebrew_dBASE,
  MSSQL_ANSI_Greek,
  Oracle_SQL_WE850,
  Paradox_ANSI_HEBREW,
  Paradox_ascii,
  Paradox_BUL_868,
  Paradox_China_936,
  Paradox_Cyrr_866,
  Paradox_Czech_852,
  Paradox_Czech_867,
  Paradox_ESP_437,
  Paradox_Greek_GR437,
  Paradox_hebrew,
  Paradox_Hun_852_DC,
  Paradox_intl_850,
  Paradox_intl,
  Paradox_ISL_861,
  Paradox_japan,
  Paradox_Korea_949,
  Paradox_nordan,
  Paradox_nordan40,
  Paradox_Polish_852,
  Paradox_Slovene_852,
  Paradox_swedfin,
  Paradox_Taiwan_950,
  Paradox_Thai_874,
  Paradox_turk,
  Pdox_ANSI_Bulgaria,
  Pdox_ANSI_Cyrillic,
  Pdox_ANSI_Czech,
  Pdox_ANSI_Greek,
  Pdox_ANSI_Hun_DC,
  Pdox_ANSI_Intl,
  Pdox_ANSI_Intl850,
  Pdox_ANSI_Nordan4,
  Pdox_ANSI_Polish,
  Pdox_ANSI_Slovene,
  Pdox_ANSI_Spanish,
  Pdox_ANSI_Swedfin,
  Pdox_ANSI_Turkish,
  Pdox_ascii_Japan,
  pdx_ANSI_Czech_CH,
  pdx_ANSI_ISO_L_2_CZ,
  pdx_Czech_852_CH,
  pdx_Czech_867_CH,
  pdx_ISO_L_2_Czech,
  Spanish_ANSI,
  SQL_Link_ROMAN8,
  Sybase_SQL_Dic437,
  Sybase_SQL_Dic850,
  WEurope_ANSI,
};

inline constexpr int kCodePageCount = 118;

// What one code page stands for. Both tables hold 256 bytes: write_table maps
// program text (Windows-1250) to file bytes, read_table maps file bytes back.
struct CodePageInfo {
  uint8_t language_driver;
  const char* driver_name;
  const uint8_t* write_table;
  const uint8_t* read_table;
};

// The description of cp. In this and the other calls taking a CP_TYPE, a
// value beyond the 118 (a corrupt ordinal) stands for ascii_ANSI.
const CodePageInfo& CodePageOf(CP_TYPE cp);

// The enumerator's own name, e.g. "ascii_ANSI".
const char* CodePageName(CP_TYPE cp);

// The code page whose name is `name` (ignoring ASCII case, since no two names
// differ in case only); nullopt for an unknown name.
std::optional<CP_TYPE> CodePageFromName(std::string_view name);

// True when both tables of cp are the identity, so text passes unchanged.
bool IsIdentityCodePage(CP_TYPE cp);

// Replaces each of the `size` bytes at `data` by its entry in `table`, one of
// the 256-byte tables of CodePageInfo. The identity tables cost nothing.
void TranslateBytes(char* data, std::size_t size, const uint8_t* table);

// TranslateBytes over the whole of `text`.
void TranslateInPlace(std::string& text, const uint8_t* table);

}  // namespace zarn
