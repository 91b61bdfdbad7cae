// The 118 code pages: their language-driver bytes and names as DBF headers
// carry them, and the character set each one translates through.
//
// Which set a code page stands for follows its name:
//   - The Windows (ANSI) pages, the Access and Borland Latin-1 pages, and the
//     multibyte Chinese, Japanese and Korean pages of dBASE and Paradox are
//     the identity: their text is stored as the programs hold it.
//   - cp437, cp850, cp852, cp857, cp860, cp861, cp863, cp865, cp866 and cp874
//     as the name says; the Paradox names without a number are the DOS pages
//     of their Paradox drivers (ascii, intl and swedfin cp437; nordan and
//     nordan40 cp865; cyrr cp866; czech, polish, slovene, hun852dc cp852;
//     turk cp857; thai cp874; iceland cp861).
//   - GR437 (Greek DOS) is cp737; both Hebrew pages are cp862.
//   - The Bulgarian 868 pages have no published Unicode mapping; they read as
//     cp866, the DOS Cyrillic page.
//   - 867 (Borland's number) and FoxPro's DOS895 are Kamenický (KEYBCS2).
//   - pdx_ISO_L_2_Czech is ISO 8859-2; SQL_Link_ROMAN8 is HP Roman-8.
//   - Pdox_ascii_Japan is multibyte Shift-JIS, which no byte table can carry:
//     only its ASCII half maps, every upper byte becomes '#'.
// The tables themselves are generated into codepage_tables.cpp.

#include "dbf/codepage.h"

#include <array>

namespace zarn {

extern const uint8_t kCp437WriteTable[256], kCp437ReadTable[256];
extern const uint8_t kCp737WriteTable[256], kCp737ReadTable[256];
extern const uint8_t kCp850WriteTable[256], kCp850ReadTable[256];
extern const uint8_t kCp852WriteTable[256], kCp852ReadTable[256];
extern const uint8_t kCp857WriteTable[256], kCp857ReadTable[256];
extern const uint8_t kCp860WriteTable[256], kCp860ReadTable[256];
extern const uint8_t kCp861WriteTable[256], kCp861ReadTable[256];
extern const uint8_t kCp862WriteTable[256], kCp862ReadTable[256];
extern const uint8_t kCp863WriteTable[256], kCp863ReadTable[256];
extern const uint8_t kCp865WriteTable[256], kCp865ReadTable[256];
extern const uint8_t kCp866WriteTable[256], kCp866ReadTable[256];
extern const uint8_t kCp874WriteTable[256], kCp874ReadTable[256];
extern const uint8_t kKamenickyWriteTable[256], kKamenickyReadTable[256];
extern const uint8_t kIso8859_2WriteTable[256], kIso8859_2ReadTable[256];
extern const uint8_t kRoman8WriteTable[256], kRoman8ReadTable[256];
extern const uint8_t kAsciiOnlyWriteTable[256], kAsciiOnlyReadTable[256];

namespace {

constexpr std::array<uint8_t, 256> MakeIdentityTable() {
  std::array<uint8_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte) table[byte] = static_cast<uint8_t>(byte);
  return table;
}

constexpr std::array<uint8_t, 256> kIdentityTable = MakeIdentityTable();

// A character set as the pair of tables that translate to and from it.
struct Charset {
  const uint8_t* write_table;
  const uint8_t* read_table;
};

constexpr Charset kIdentity{kIdentityTable.data(), kIdentityTable.data()};
constexpr Charset kCp437{kCp437WriteTable, kCp437ReadTable};
constexpr Charset kCp737{kCp737WriteTable, kCp737ReadTable};
constexpr Charset kCp850{kCp850WriteTable, kCp850ReadTable};
constexpr Charset kCp852{kCp852WriteTable, kCp852ReadTable};
constexpr Charset kCp857{kCp857WriteTable, kCp857ReadTable};
constexpr Charset kCp860{kCp860WriteTable, kCp860ReadTable};
constexpr Charset kCp861{kCp861WriteTable, kCp861ReadTable};
constexpr Charset kCp862{kCp862WriteTable, kCp862ReadTable};
constexpr Charset kCp863{kCp863WriteTable, kCp863ReadTable};
constexpr Charset kCp865{kCp865WriteTable, kCp865ReadTable};
constexpr Charset kCp866{kCp866WriteTable, kCp866ReadTable};
constexpr Charset kCp874{kCp874WriteTable, kCp874ReadTable};
constexpr Charset kKamenicky{kKamenickyWriteTable, kKamenickyReadTable};
constexpr Charset kIso8859_2{kIso8859_2WriteTable, kIso8859_2ReadTable};
constexpr Charset kRoman8{kRoman8WriteTable, kRoman8ReadTable};
constexpr Charset kAsciiOnly{kAsciiOnlyWriteTable, kAsciiOnlyReadTable};

constexpr CodePageInfo Info(uint8_t language_driver, const char* driver_name,
                            Charset charset) {
  return {language_driver, driver_name, charset.write_table, charset.read_table};
}

struct CodePageRow {
  CP_TYPE cp;
  const char* name;
  CodePageInfo info;
};

// Indexed by ordinal; the first column lets the compiler check the order.
constexpr CodePageRow kCodePages[] = {
    {Access_General, "Access_General", Info(0x5A, "ACCGEN", kIdentity)},
    {Access_Greece, "Access_Greece", Info(0x91, "ACCGREEK", kIdentity)},
    {Access_Japanese, "Access_Japanese", Info(0x5D, "ACCJAPAN", kIdentity)},
    {Access_NordDanish, "Access_NordDanish", Info(0x5B, "ACCNRDAN", kIdentity)},
    {Access_SwedFinnish, "Access_SwedFinnish", Info(0x5C, "ACCSWFIN", kIdentity)},
    {ascii_ANSI, "ascii_ANSI", Info(0x57, "DBWINUS0", kIdentity)},
    {Borland_ANSI_Arabic, "Borland_ANSI_Arabic", Info(0x74, "BLWINAR0", kIdentity)},
    {Borland_DAN_Latin1, "Borland_DAN_Latin1", Info(0x27, "BLLT1DA0", kIdentity)},
    {Borland_DEU_Latin1, "Borland_DEU_Latin1", Info(0x2C, "BLLT1DE0", kIdentity)},
    {Borland_ENG_Latin1, "Borland_ENG_Latin1", Info(0x34, "BLLT1UK0", kIdentity)},
    {Borland_ENU_Latin1, "Borland_ENU_Latin1", Info(0x35, "BLLT1US0", kIdentity)},
    {Borland_ESP_Latin1, "Borland_ESP_Latin1", Info(0x31, "BLLT1ES0", kIdentity)},
    {Borland_FIN_Latin1, "Borland_FIN_Latin1", Info(0x29, "BLLT1FI0", kIdentity)},
    {Borland_FRA_Latin1, "Borland_FRA_Latin1", Info(0x2A, "BLLT1FR0", kIdentity)},
    {Borland_FRC_Latin1, "Borland_FRC_Latin1", Info(0x2B, "BLLT1CA0", kIdentity)},
    {Borland_ISL_Latin1, "Borland_ISL_Latin1", Info(0x2D, "BLLT1IS0", kIdentity)},
    {Borland_ITA_Latin1, "Borland_ITA_Latin1", Info(0x2E, "BLLT1IT0", kIdentity)},
    {Borland_NLD_Latin1, "Borland_NLD_Latin1", Info(0x28, "BLLT1NL0", kIdentity)},
    {Borland_NOR_Latin1, "Borland_NOR_Latin1", Info(0x30, "BLLT1NO0", kIdentity)},
    {Borland_PTG_Latin1, "Borland_PTG_Latin1", Info(0x36, "BLLT1PT0", kIdentity)},
    {Borland_SVE_Latin1, "Borland_SVE_Latin1", Info(0x33, "BLLT1SV0", kIdentity)},
    {DB2_SQL_ANSI_DEU, "DB2_SQL_ANSI_DEU", Info(0xCD, "db2andeu", kIdentity)},
    {dBASE_BUL_868, "dBASE_BUL_868", Info(0x8E, "BGDB868", kCp866)},
    {dBASE_CHS_cp936, "dBASE_CHS_cp936", Info(0x4D, "DB936CN0", kIdentity)},
    {dBASE_CHT_cp950, "dBASE_CHT_cp950", Info(0x4F, "DB950TW0", kIdentity)},
    {dBASE_CSY_cp852, "dBASE_CSY_cp852", Info(0x1F, "DB852CZ0", kCp852)},
    {dBASE_CSY_cp867, "dBASE_CSY_cp867", Info(0x20, "DB867CZ0", kKamenicky)},
    {dBASE_DAN_cp865, "dBASE_DAN_cp865", Info(0x08, "DB865DA0", kCp865)},
    {dBASE_DEU_cp437, "dBASE_DEU_cp437", Info(0x0F, "DB437DE0", kCp437)},
    {dBASE_DEU_cp850, "dBASE_DEU_cp850", Info(0x10, "DB850DE0", kCp850)},
    {dBASE_ELL_GR437, "dBASE_ELL_GR437", Info(0x86, "db437gr0", kCp737)},
    {dBASE_ENG_cp437, "dBASE_ENG_cp437", Info(0x19, "DB437UK0", kCp437)},
    {dBASE_ENG_cp850, "dBASE_ENG_cp850", Info(0x1A, "DB850UK0", kCp850)},
    {dBASE_ENU_cp437, "dBASE_ENU_cp437", Info(0x1B, "DB437US0", kCp437)},
    {dBASE_ENU_cp850, "dBASE_ENU_cp850", Info(0x37, "DB850US0", kCp850)},
    {dBASE_ESP_cp437, "dBASE_ESP_cp437", Info(0x18, "DB437ES1", kCp437)},
    {dBASE_ESP_cp850, "dBASE_ESP_cp850", Info(0x14, "DB850ES0", kCp850)},
    {dBASE_FIN_cp437, "dBASE_FIN_cp437", Info(0x0B, "DB437FI0", kCp437)},
    {dBASE_FRA_cp437, "dBASE_FRA_cp437", Info(0x0D, "DB437FR0", kCp437)},
    {dBASE_FRA_cp850, "dBASE_FRA_cp850", Info(0x0E, "DB850FR0", kCp850)},
    {dBASE_FRC_cp850, "dBASE_FRC_cp850", Info(0x1D, "DB850CF0", kCp850)},
    {dBASE_FRC_cp863, "dBASE_FRC_cp863", Info(0x1C, "DB863CF1", kCp863)},
    {dBASE_HUN_cp852, "dBASE_HUN_cp852", Info(0x22, "db852hdc", kCp852)},
    {dBASE_ITA_cp437, "dBASE_ITA_cp437", Info(0x11, "DB437IT0", kCp437)},
    {dBASE_ITA_cp850, "dBASE_ITA_cp850", Info(0x12, "DB850IT1", kCp850)},
    {dBASE_JPN_cp932, "dBASE_JPN_cp932", Info(0x13, "DB932JP0", kIdentity)},
    {dBASE_JPN_Dic932, "dBASE_JPN_Dic932", Info(0x56, "DB932JP1", kIdentity)},
    {dBASE_KOR_cp949, "dBASE_KOR_cp949", Info(0x4E, "DB949KO0", kIdentity)},
    {dBASE_NLD_cp437, "dBASE_NLD_cp437", Info(0x09, "DB437NL0", kCp437)},
    {dBASE_NLD_cp850, "dBASE_NLD_cp850", Info(0x0A, "DB850NL0", kCp850)},
    {dBASE_NOR_cp865, "dBASE_NOR_cp865", Info(0x17, "DB865NO0", kCp865)},
    {dBASE_PLK_cp852, "dBASE_PLK_cp852", Info(0x23, "db852po0", kCp852)},
    {dBASE_PTB_cp850, "dBASE_PTB_cp850", Info(0x25, "DB850PT0", kCp850)},
    {dBASE_PTG_cp860, "dBASE_PTG_cp860", Info(0x24, "DB860PT0", kCp860)},
    {dBASE_RUS_cp866, "dBASE_RUS_cp866", Info(0x26, "db866ru0", kCp866)},
    {dBASE_SLO_cp852, "dBASE_SLO_cp852", Info(0x87, "db852sl0", kCp852)},
    {dBASE_SVE_cp437, "dBASE_SVE_cp437", Info(0x15, "DB437SV0", kCp437)},
    {dBASE_SVE_cp850, "dBASE_SVE_cp850", Info(0x16, "DB850SV1", kCp850)},
    {dBASE_THA_cp874, "dBASE_THA_cp874", Info(0x50, "db874th0", kCp874)},
    {dBASE_TRK_cp857, "dBASE_TRK_cp857", Info(0x88, "DB857TR0", kCp857)},
    {FoxPro_Czech_1250, "FoxPro_Czech_1250", Info(0x9B, "FOXCZWIN", kIdentity)},
    {FoxPro_Czech_DOS895, "FoxPro_Czech_DOS895", Info(0x9C, "FOXCZ895", kKamenicky)},
    {FoxPro_German_1252, "FoxPro_German_1252", Info(0x61, "FOXDEWIN", kIdentity)},
    {FoxPro_German_437, "FoxPro_German_437", Info(0x5E, "FOXDE437", kCp437)},
    {FoxPro_Nordic_1252, "FoxPro_Nordic_1252", Info(0x62, "FOXNOWIN", kIdentity)},
    {FoxPro_Nordic_437, "FoxPro_Nordic_437", Info(0x5F, "FOXNO437", kCp437)},
    {FoxPro_Nordic_850, "FoxPro_Nordic_850", Info(0x60, "FOXNO850", kCp850)},
    {Hebrew_dBASE, "Hebrew_dBASE", Info(0x85, "dbHebrew", kCp862)},
    {MSSQL_ANSI_Greek, "MSSQL_ANSI_Greek", Info(0xD1, "MSSGRWIN", kIdentity)},
    {Oracle_SQL_WE850, "Oracle_SQL_WE850", Info(0xCA, "ORAWE850", kCp850)},
    {Paradox_ANSI_HEBREW, "Paradox_ANSI_HEBREW", Info(0x75, "ANHEBREW", kIdentity)},
    {Paradox_ascii, "Paradox_ascii", Info(0x75, "ascii", kCp437)},
    {Paradox_BUL_868, "Paradox_BUL_868", Info(0x71, "BULGARIA", kCp866)},
    {Paradox_China_936, "Paradox_China_936", Info(0x45, "china", kIdentity)},
    {Paradox_Cyrr_866, "Paradox_Cyrr_866", Info(0x67, "cyrr", kCp866)},
    {Paradox_Czech_852, "Paradox_Czech_852", Info(0x64, "czech", kCp852)},
    {Paradox_Czech_867, "Paradox_Czech_867", Info(0x7B, "cskamen", kKamenicky)},
    {Paradox_ESP_437, "Paradox_ESP_437", Info(0x3A, "SPANISH", kCp437)},
    {Paradox_Greek_GR437, "Paradox_Greek_GR437", Info(0x69, "grcp437", kCp737)},
    {Paradox_hebrew, "Paradox_hebrew", Info(0x6B, "hebrew", kCp862)},
    {Paradox_Hun_852_DC, "Paradox_Hun_852_DC", Info(0x68, "hun852dc", kCp852)},
    {Paradox_intl_850, "Paradox_intl_850", Info(0x39, "intl850", kCp850)},
    {Paradox_intl, "Paradox_intl", Info(0x02, "intl", kCp437)},
    {Paradox_ISL_861, "Paradox_ISL_861", Info(0x3B, "iceland", kCp861)},
    {Paradox_japan, "Paradox_japan", Info(0x03, "japan", kIdentity)},
    {Paradox_Korea_949, "Paradox_Korea_949", Info(0x46, "korea", kIdentity)},
    {Paradox_nordan, "Paradox_nordan", Info(0x04, "nordan", kCp865)},
    {Paradox_nordan40, "Paradox_nordan40", Info(0x05, "nordan40", kCp865)},
    {Paradox_Polish_852, "Paradox_Polish_852", Info(0x66, "polish", kCp852)},
    {Paradox_Slovene_852, "Paradox_Slovene_852", Info(0x6D, "slovene", kCp852)},
    {Paradox_swedfin, "Paradox_swedfin", Info(0x06, "swedfin", kCp437)},
    {Paradox_Taiwan_950, "Paradox_Taiwan_950", Info(0x47, "taiwan", kIdentity)},
    {Paradox_Thai_874, "Paradox_Thai_874", Info(0x48, "thai", kCp874)},
    {Paradox_turk, "Paradox_turk", Info(0x6E, "turk", kCp857)},
    {Pdox_ANSI_Bulgaria, "Pdox_ANSI_Bulgaria", Info(0x94, "BGPD1251", kIdentity)},
    {Pdox_ANSI_Cyrillic, "Pdox_ANSI_Cyrillic", Info(0x7E, "ancyrr", kIdentity)},
    {Pdox_ANSI_Czech, "Pdox_ANSI_Czech", Info(0x78, "anczech", kIdentity)},
    {Pdox_ANSI_Greek, "Pdox_ANSI_Greek", Info(0x80, "angreek1", kIdentity)},
    {Pdox_ANSI_Hun_DC, "Pdox_ANSI_Hun_DC", Info(0x7F, "anhundc", kIdentity)},
    {Pdox_ANSI_Intl, "Pdox_ANSI_Intl", Info(0x3C, "ANSIINTL", kIdentity)},
    {Pdox_ANSI_Intl850, "Pdox_ANSI_Intl850", Info(0x3D, "ANSII850", kIdentity)},
    {Pdox_ANSI_Nordan4, "Pdox_ANSI_Nordan4", Info(0x40, "ANSINOR4", kIdentity)},
    {Pdox_ANSI_Polish, "Pdox_ANSI_Polish", Info(0x7D, "anpolish", kIdentity)},
    {Pdox_ANSI_Slovene, "Pdox_ANSI_Slovene", Info(0x82, "ansislov", kIdentity)},
    {Pdox_ANSI_Spanish, "Pdox_ANSI_Spanish", Info(0x3E, "ANSISPAN", kIdentity)},
    {Pdox_ANSI_Swedfin, "Pdox_ANSI_Swedfin", Info(0x3F, "ANSISWFN", kIdentity)},
    {Pdox_ANSI_Turkish, "Pdox_ANSI_Turkish", Info(0x83, "ANTURK", kIdentity)},
    {Pdox_ascii_Japan, "Pdox_ascii_Japan", Info(0x83, "ascii", kAsciiOnly)},
    {pdx_ANSI_Czech_CH, "pdx_ANSI_Czech_CH", Info(0x7C, "anczechw", kIdentity)},
    {pdx_ANSI_ISO_L_2_CZ, "pdx_ANSI_ISO_L_2_CZ", Info(0x92, "anil2czw", kIdentity)},
    {pdx_Czech_852_CH, "pdx_Czech_852_CH", Info(0x79, "czechw", kCp852)},
    {pdx_Czech_867_CH, "pdx_Czech_867_CH", Info(0x7A, "cskamenw", kKamenicky)},
    {pdx_ISO_L_2_Czech, "pdx_ISO_L_2_Czech", Info(0x65, "il2czw", kIso8859_2)},
    {Spanish_ANSI, "Spanish_ANSI", Info(0x59, "DBWINES0", kIdentity)},
    {SQL_Link_ROMAN8, "SQL_Link_ROMAN8", Info(0xC9, "BLROM800", kRoman8)},
    {Sybase_SQL_Dic437, "Sybase_SQL_Dic437", Info(0xCC, "SYDC437", kCp437)},
    {Sybase_SQL_Dic850, "Sybase_SQL_Dic850", Info(0xCB, "SYDC850", kCp850)},
    {WEurope_ANSI, "WEurope_ANSI", Info(0x58, "DBWINWE0", kIdentity)},
};

static_assert(std::size(kCodePages) == kCodePageCount);

constexpr bool RowsFollowOrdinals() {
  for (int i = 0; i < kCodePageCount; ++i)
    if (kCodePages[i].cp != i) return false;
  return true;
}
static_assert(RowsFollowOrdinals(), "code page rows out of enumeration order");

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// A byte taken from outside (open options, a stored ordinal) may hold any
// value; one beyond the enumeration reads as the default page, never past
// the end of the rows.
const CodePageRow& RowOf(CP_TYPE cp) {
  return kCodePages[cp < kCodePageCount ? cp : ascii_ANSI];
}

}  // namespace

const CodePageInfo& CodePageOf(CP_TYPE cp) { return RowOf(cp).info; }

const char* CodePageName(CP_TYPE cp) { return RowOf(cp).name; }

std::optional<CP_TYPE> CodePageFromName(std::string_view name) {
  for (const CodePageRow& row : kCodePages)
    if (EqualIgnoringAsciiCase(row.name, name)) return row.cp;
  return std::nullopt;
}

bool IsIdentityCodePage(CP_TYPE cp) {
  return RowOf(cp).info.read_table == kIdentityTable.data();
}

void TranslateBytes(char* data, std::size_t size, const uint8_t* table) {
  if (table == kIdentityTable.data()) return;  // ascii_ANSI and its kin
  for (std::size_t i = 0; i < size; ++i)
    data[i] = static_cast<char>(table[static_cast<uint8_t>(data[i])]);
}

void TranslateInPlace(std::string& text, const uint8_t* table) {
  TranslateBytes(text.data(), text.size(), table);
}

}  // namespace zarn
