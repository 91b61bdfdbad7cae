// Navigation, states, editing, bookmarks and Locate of the dataset framework,
// exercised through a small vector-backed dataset.
#include "platform/dataset/dataset.h"

#include <gtest/gtest.h>

#include "platform/dataset/testing/vector_dataset.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

using testing::VectorDataSet;

// Three partners: code, name, amount.
class DataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = CzechFormatSettings();
    ds.FieldDefs().Add("ZADATEL", ftString, 10);
    ds.FieldDefs().Add("NAZEV", ftString, 30);
    ds.FieldDefs().Add("POCET", ftInteger);
    ds.AddRow({"0123", "Osiva Brno", 5});
    ds.AddRow({"0456", Utf8ToWin1250("Agro Tábor"), 7});
    ds.AddRow({"0789", "Semena Cheb", 9});
  }
  std::vector<std::string> Codes() {
    std::vector<std::string> codes;
    for (ds.First(); !ds.Eof(); ds.Next()) codes.push_back(ds.FieldByName("zadatel").AsString());
    return codes;
  }

  VectorDataSet ds;
};

TEST_F(DataSetTest, OpensOnFirstRecordAndWalksBothWays) {
  ds.Open();
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_TRUE(ds.Bof());
  EXPECT_FALSE(ds.Eof());
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0123");
  EXPECT_EQ(ds.FieldCount(), 3);

  ds.Next();
  EXPECT_FALSE(ds.Bof());
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0456");
  ds.Next();
  ds.Next();  // past the end: Eof, the last record stays current
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0789");
  ds.Prior();  // back from the end goes to the record before the last
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0456");

  ds.Last();
  EXPECT_TRUE(ds.Eof());
  EXPECT_EQ(ds.RecNo(), 3);
  EXPECT_EQ(ds.MoveBy(-5), -2);
  EXPECT_TRUE(ds.Bof());
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0123");
  EXPECT_EQ(ds.MoveBy(2), 2);
  EXPECT_EQ(ds.RecNo(), 3);
  EXPECT_EQ(ds.RecordCount(), 3);
}

TEST_F(DataSetTest, EmptyDatasetIsAtBothEnds) {
  VectorDataSet empty;
  empty.FieldDefs().Add("A", ftInteger);
  empty.Open();
  EXPECT_TRUE(empty.Bof() && empty.Eof() && empty.IsEmpty());
  EXPECT_EQ(empty.MoveBy(1), 0);
  EXPECT_TRUE(empty.FieldByName("A").IsNull());
  EXPECT_EQ(empty.FieldByName("A").AsInteger(), 0);
  try {
    empty.Delete();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot perform this operation on an empty dataset");
  }
}

TEST_F(DataSetTest, ClosedDatasetRefusesWorkAndFieldsOfDefinitionsGoAway) {
  EXPECT_THROW(ds.First(), EDatabaseError);
  try {
    ds.Edit();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Cannot perform this operation on a closed dataset");
  }
  ds.Open();
  EXPECT_NE(ds.FindField("nazev"), nullptr);
  ds.Close();
  EXPECT_EQ(ds.State(), dsInactive);
  EXPECT_EQ(ds.FindField("nazev"), nullptr);
  try {
    ds.FieldByName("NEZNAME");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'NEZNAME' not found");
  }
}

TEST_F(DataSetTest, WritingOutsideEditModeAndReadOnlyFieldsAreRefused) {
  ds.Open();
  try {
    ds.FieldByName("NAZEV").SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
  }
  try {
    ds.Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
  }
  TField& name = ds.FieldByName("NAZEV");
  name.SetReadOnly(true);
  name.SetDisplayLabel("Název");
  ds.Edit();
  try {
    name.SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'Název' cannot be modified");
  }
  EXPECT_EQ(ds.State(), dsEdit);
}

TEST_F(DataSetTest, EditPostStoresAndCancelRestores) {
  ds.Open();
  ds.Next();
  ds.Edit();
  EXPECT_EQ(ds.State(), dsEdit);
  ds.FieldByName("NAZEV").SetAsString("Agro Písek");
  EXPECT_TRUE(ds.Modified());
  ds.Post();
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(ds.Rows()[1].values[1], Variant("Agro Písek"));
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0456");

  ds.Edit();
  ds.FieldByName("POCET").SetAsInteger(99);
  ds.Cancel();
  EXPECT_EQ(ds.FieldByName("POCET").AsInteger(), 7);
  EXPECT_EQ(ds.Rows()[1].values[2], Variant(7));
}

TEST_F(DataSetTest, InsertGoesBeforeCurrentAppendToTheEnd) {
  ds.Open();
  ds.Next();
  ds.Insert();
  EXPECT_EQ(ds.State(), dsInsert);
  EXPECT_TRUE(ds.FieldByName("ZADATEL").IsNull());
  ds.FieldByName("ZADATEL").SetAsString("0300");
  ds.Post();
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0300");
  EXPECT_EQ((Codes()), (std::vector<std::string>{"0123", "0300", "0456", "0789"}));

  ds.First();
  ds.Append();
  ds.FieldByName("ZADATEL").SetAsString("0999");
  ds.Post();
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0999");
  EXPECT_EQ(ds.RecNo(), 5);

  ds.Append();  // cancelled append lands on the last record
  ds.Cancel();
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0999");
  EXPECT_EQ(ds.RecordCount(), 5);
}

TEST_F(DataSetTest, LeavingAModifiedRecordPostsItAnUntouchedOneIsDropped) {
  ds.Open();
  ds.Append();
  ds.Next();  // nothing typed: the new record is dropped
  EXPECT_EQ(ds.RecordCount(), 3);
  ds.Edit();
  ds.FieldByName("POCET").SetAsString("42");
  ds.First();  // moving posts the edit
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(ds.Rows()[2].values[2], Variant(42));
}

TEST_F(DataSetTest, EditOnEmptyDatasetInsertsAndDeleteMovesToNeighbour) {
  VectorDataSet empty;
  empty.FieldDefs().Add("A", ftInteger);
  empty.Open();
  empty.Edit();
  EXPECT_EQ(empty.State(), dsInsert);
  empty.FieldByName("A").SetAsInteger(1);
  empty.Post();
  EXPECT_EQ(empty.RecordCount(), 1);
  EXPECT_FALSE(empty.IsEmpty());

  ds.Open();
  ds.Last();
  ds.Delete();  // the last one: the new last becomes current
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0456");
  ds.First();
  ds.Delete();
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0456");
  ds.Delete();
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_TRUE(ds.Eof());
}

TEST_F(DataSetTest, RequiredFieldMustHaveAValue) {
  ds.Open();
  ds.FieldByName("NAZEV").SetRequired(true);
  ds.Append();
  ds.FieldByName("ZADATEL").SetAsString("1");
  try {
    ds.Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'NAZEV' must have a value");
  }
  EXPECT_EQ(ds.State(), dsInsert);
}

TEST_F(DataSetTest, EventsFireInOrder) {
  std::vector<std::string> log;
  auto record = [&log](const char* name) { return [&log, name](TDataSet&) { log.push_back(name); }; };
  ds.BeforeOpen = record("BeforeOpen");
  ds.AfterOpen = record("AfterOpen");
  ds.BeforeScroll = record("BeforeScroll");
  ds.AfterScroll = record("AfterScroll");
  ds.BeforeEdit = record("BeforeEdit");
  ds.AfterEdit = record("AfterEdit");
  ds.BeforePost = record("BeforePost");
  ds.AfterPost = record("AfterPost");
  ds.BeforeInsert = record("BeforeInsert");
  ds.OnNewRecord = [&log](TDataSet& d) {
    log.push_back("OnNewRecord");
    d.FieldByName("POCET").SetAsInteger(1);
  };
  ds.AfterInsert = record("AfterInsert");
  ds.BeforeCancel = record("BeforeCancel");
  ds.AfterCancel = record("AfterCancel");
  ds.BeforeDelete = record("BeforeDelete");
  ds.AfterDelete = record("AfterDelete");
  ds.BeforeClose = record("BeforeClose");
  ds.AfterClose = record("AfterClose");

  ds.Open();
  ds.Next();
  ds.Edit();
  ds.Post();
  ds.Append();
  EXPECT_EQ(ds.FieldByName("POCET").AsInteger(), 1);
  ds.Cancel();
  ds.Delete();
  ds.Close();
  EXPECT_EQ(log, (std::vector<std::string>{
                     "BeforeOpen", "AfterOpen", "AfterScroll", "BeforeScroll", "AfterScroll", "BeforeEdit",
                     "AfterEdit", "BeforePost", "AfterPost", "BeforeInsert", "BeforeScroll", "OnNewRecord",
                     "AfterInsert", "AfterScroll", "BeforeCancel", "AfterCancel", "BeforeDelete", "BeforeScroll",
                     "AfterDelete", "AfterScroll", "BeforeClose", "AfterClose"}));
}

TEST_F(DataSetTest, PostErrorEventCanRetryOrAbort) {
  ds.Open();
  int attempts = 0;
  ds.BeforePost = [&attempts](TDataSet&) { ++attempts; };
  ds.FieldByName("NAZEV").SetRequired(true);
  ds.FieldByName("NAZEV").OnValidate = [](TField&, const Variant& value) {
    if (value.ToString() == "zlé") throw EDatabaseError("zlá hodnota");
  };
  ds.Edit();
  EXPECT_THROW(ds.FieldByName("NAZEV").SetAsString("zlé"), EDatabaseError);
  EXPECT_EQ(ds.FieldByName("NAZEV").AsString(), "Osiva Brno");  // refused value not stored
  ds.Cancel();
  EXPECT_EQ(attempts, 0);
}

TEST_F(DataSetTest, BookmarksReturnToTheSameRecord) {
  ds.Open();
  ds.Next();
  const TBookmark middle = ds.GetBookmark();
  ds.Last();
  const TBookmark last = ds.GetBookmark();
  EXPECT_EQ(ds.CompareBookmarks(middle, last), -1);
  EXPECT_EQ(ds.CompareBookmarks(TBookmark(), middle), -1);
  EXPECT_EQ(ds.CompareBookmarks(TBookmark(), TBookmark()), 0);
  ds.GotoBookmark(middle);
  EXPECT_EQ(ds.FieldByName("ZADATEL").AsString(), "0456");
  EXPECT_TRUE(ds.BookmarkValid(last));
  ds.GotoBookmark(last);
  ds.Delete();
  EXPECT_FALSE(ds.BookmarkValid(last));
}

TEST_F(DataSetTest, LocateFindsByTextNumberAndSeveralKeys) {
  ds.Open();
  EXPECT_TRUE(ds.Locate("NAZEV", Utf8ToWin1250("Agro Tábor"), 0));
  EXPECT_EQ(ds.RecNo(), 2);
  EXPECT_FALSE(ds.Locate("NAZEV", Utf8ToWin1250("agro tábor"), 0));
  EXPECT_EQ(ds.RecNo(), 2);  // not found: nothing moved
  EXPECT_FALSE(ds.Locate("NAZEV", "Agro Tabor", loCaseInsensitive));  // accents count
  EXPECT_TRUE(ds.Locate("NAZEV", Utf8ToWin1250("AGRO TÁBOR"), loCaseInsensitive));
  EXPECT_TRUE(ds.Locate("NAZEV", "semena", loCaseInsensitive | loPartialKey));
  EXPECT_EQ(ds.RecNo(), 3);
  EXPECT_FALSE(ds.Locate("NAZEV", "Semena", 0));  // whole text must be equal
  EXPECT_TRUE(ds.Locate("POCET", "5", 0));        // a text key against a number
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_TRUE(ds.Locate("zadatel;pocet", Variant::Array({"0456", 7}), 0));
  EXPECT_EQ(ds.RecNo(), 2);
  EXPECT_FALSE(ds.Locate("zadatel;pocet", Variant::Array({"0456", 9}), 0));
  EXPECT_THROW(ds.Locate("NIC", 1, 0), EDatabaseError);

  int scrolls = 0;
  ds.AfterScroll = [&scrolls](TDataSet&) { ++scrolls; };
  EXPECT_TRUE(ds.Locate("ZADATEL", "0456", 0));  // already current
  EXPECT_TRUE(ds.Locate("ZADATEL", "0789", 0));
  EXPECT_EQ(scrolls, 1);
}

TEST_F(DataSetTest, LookupKeepsTheCurrentRecord) {
  ds.Open();
  EXPECT_EQ(ds.Lookup("ZADATEL", "0789", "NAZEV"), Variant("Semena Cheb"));
  EXPECT_EQ(ds.RecNo(), 1);
  EXPECT_TRUE(ds.Lookup("ZADATEL", "9999", "NAZEV").IsNull());
  const Variant both = ds.Lookup("ZADATEL", "0456", "NAZEV;POCET");
  EXPECT_EQ(both, Variant::Array({Utf8ToWin1250("Agro Tábor"), 7}));
}

TEST_F(DataSetTest, CalculatedAndLookupFieldsAreComputedPerRecord) {
  VectorDataSet partners;
  partners.FieldDefs().Add("KOD", ftString, 10);
  partners.FieldDefs().Add("JMENO", ftString, 30);
  partners.AddRow({"0456", "Agro"});
  partners.Open();

  ds.AddField("ZADATEL", ftString, 10);
  ds.AddField("POCET", ftInteger);
  TField& twice = ds.AddField("DVAKRAT", ftInteger, 0, fkCalculated);
  TField& partner = ds.AddField("PARTNER", ftString, 30, fkLookup);
  partner.LookupDataSet = &partners;
  partner.KeyFields = "ZADATEL";
  partner.LookupKeyFields = "KOD";
  partner.LookupResultField = "JMENO";
  ds.OnCalcFields = [](TDataSet& d) {
    d.FieldByName("DVAKRAT").SetAsInteger(2 * d.FieldByName("POCET").AsInteger());
  };
  ds.Open();
  EXPECT_EQ(ds.FieldCount(), 4);  // persistent fields only: NAZEV has no field object
  EXPECT_EQ(twice.AsInteger(), 10);
  EXPECT_TRUE(partner.IsNull());
  ds.Next();
  EXPECT_EQ(twice.AsInteger(), 14);
  EXPECT_EQ(partner.AsString(), "Agro");
  ds.Edit();
  ds.FieldByName("POCET").SetAsInteger(50);  // recalculated while editing
  EXPECT_EQ(twice.AsInteger(), 100);
  ds.Cancel();
  EXPECT_THROW(twice.SetAsInteger(1), EDatabaseError);  // not while browsing
  ds.Close();
  EXPECT_EQ(ds.FieldCount(), 4);  // persistent fields survive closing
}

TEST_F(DataSetTest, PersistentDataFieldMustMatchItsDefinition) {
  ds.AddField("POCET", ftString, 10);
  try {
    ds.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Type mismatch for field 'POCET', expecting: ftString actual: ftInteger");
  }
  EXPECT_FALSE(ds.Active());
}

// Records the data events a control would see (but the routine
// deCheckBrowseMode that comes before every move).
class EventLog : public TDataLink {
 public:
  void DataEvent(TDataEvent event, TField*) override {
    if (event != deCheckBrowseMode) events.push_back(event);
  }
  std::vector<TDataEvent> events;
};

TEST_F(DataSetTest, DisabledControlsSeeOneChangeAtTheEnd) {
  EventLog log;
  log.SetDataSet(&ds);
  ds.Open();
  log.events.clear();
  ds.DisableControls();
  ds.DisableControls();
  EXPECT_TRUE(ds.ControlsDisabled());
  for (ds.First(); !ds.Eof(); ds.Next()) {
  }
  ds.EnableControls();
  EXPECT_TRUE(log.events.empty());
  ds.EnableControls();
  EXPECT_FALSE(ds.ControlsDisabled());
  EXPECT_EQ(log.events, std::vector<TDataEvent>{deDataSetChange});

  log.events.clear();
  ds.Next();
  EXPECT_EQ(log.events, std::vector<TDataEvent>{});  // at the end: nothing moves
  ds.Prior();
  EXPECT_EQ(log.events, std::vector<TDataEvent>{deDataSetScroll});
}

TEST_F(DataSetTest, ALinkWritesPendingEditsBeforePost) {
  // A control that holds typed text until the dataset asks for it.
  class PendingEdit : public TDataLink {
   public:
    void DataEvent(TDataEvent event, TField*) override {
      if (event == deUpdateRecord && !typed.empty()) DataSet()->FieldByName("NAZEV").SetAsString(typed);
    }
    std::string typed;
  } edit;
  edit.SetDataSet(&ds);
  ds.Open();
  ds.Edit();
  edit.typed = "Nový název";
  ds.Post();
  EXPECT_EQ(ds.Rows()[0].values[1], Variant("Nový název"));
}

TEST_F(DataSetTest, MemoFieldReadsAndWritesThroughItsBlobStream) {
  VectorDataSet notes;
  notes.FieldDefs().Add("POZN", ftMemo);
  notes.AddRow({"první řádek\r\ndruhý"});
  notes.Open();
  TField& memo = notes.FieldByName("POZN");
  EXPECT_EQ(memo.AsString(), "první řádek\r\ndruhý");
  EXPECT_EQ(memo.DisplayText(), "(MEMO)");
  EXPECT_THROW(memo.SetAsString("x"), EDatabaseError);
  notes.Edit();
  memo.SetAsString("nový");
  EXPECT_TRUE(memo.Modified());
  notes.Post();
  EXPECT_FALSE(memo.Modified());
  EXPECT_EQ(notes.Rows()[0].values[0], Variant("nový"));
  notes.Edit();
  memo.Clear();
  notes.Post();
  EXPECT_TRUE(memo.IsNull());
  EXPECT_EQ(memo.DisplayText(), "(memo)");
}

}  // namespace
}  // namespace zarn
