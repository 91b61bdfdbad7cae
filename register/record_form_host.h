// What the record form needs of the main window that holds it: the server
// connection and the work query, the record list's current row, the data
// folder, the two code-list copies and the panels that show them, the
// workstation number, the window's two states, the list reload, the search
// dialog of the list and the end of the program. The window that holds the
// form also makes Enter move on as Tab does (TEnterAsTab).
#pragma once

#include <optional>
#include <string>

namespace zarn {

class TDataSet;
class TDsDatabase;
class TDsMemTable;
class TField;
class TServerConnection;
class TServerQuery;
class TSidePanel;

class TRecordFormHost {
 public:
  virtual ~TRecordFormHost() = default;

  virtual TServerConnection& ZConnection1() = 0;
  // The work query for single records.
  virtual TServerQuery& ZQuery2() = 0;
  // The `id` of the record list's current row as text; nullopt while the
  // list has no rows.
  virtual std::optional<std::string> VybraneId() = 0;
  // The data folder, where the edit buffer zarnzada.dbf lives.
  virtual TDsDatabase& DsDatabase1() = 0;
  // The copies of adresar.dbf and cenik.dbf.
  virtual TDsMemTable& DsMemTable1() = 0;
  virtual TDsMemTable& DsMemTable33() = 0;
  // "Adresář partnerů" on the right, the price list on the left; the form
  // puts its pickers into their content areas.
  virtual TSidePanel& PartnerPanel() = 0;
  virtual TSidePanel& NomenclaturePanel() = 0;
  virtual std::string CisloPC() = 0;

  // The record state (the form shows under the list; "Nový doklad" and
  // "Opravit" disabled) and the list state (form hidden, both enabled).
  virtual void StavDoklad() = 0;
  virtual void StavSeznam() = 0;
  // Reloads the record list with the current filter and sort, and its totals.
  virtual void UdelejSQL() = 0;
  // The list's search dialog ("Hledat") over `dataset`, starting at `column`.
  virtual void OtevriHledani(TDataSet& dataset, TField& column) = 0;
  // Asks the application to end (after a failed save or delete script).
  virtual void UkonciProgram() = 0;
};

}  // namespace zarn
