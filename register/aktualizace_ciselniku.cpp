#include "register/aktualizace_ciselniku.h"

#include "services/query.h"
#include "services/routines.h"

namespace zarn {

std::string PrikazAktualizace() {
#ifdef _WIN32
  return "zembu.exe";
#else
  return "zembu";
#endif
}

// tmpepri is a temporary table of the session: every workstation refreshing
// at the same moment sums into its own, so that none drops or refills the
// table another is reading. A drop finds the session's temporary table first;
// a session without one drops an ordinary table of that name instead, as an
// older register left it.
const std::vector<std::string>& PrikazyPrihlasek() {
  static const std::vector<std::string> prikazy = {
      "DROP TABLE IF EXISTS tmpepri",
      "create temporary table tmpepri\n"
      " select rok,podnik,nomenkla,sum(vymera) as vymera,sum(mnozstvi) as mnozstvi,sum(plan) as plan\n"
      " from epri group by rok,podnik,nomenkla order by rok,podnik,nomenkla",
      "UPDATE zarnzada,tmpepri\n"
      " SET zarnzada.PRIH_PLOCH=tmpepri.vymera,zarnzada.PRIH_VAHA=tmpepri.mnozstvi,zarnzada.PRIH_PLAN=tmpepri.plan\n"
      " WHERE zarnzada.ROK=tmpepri.rok and zarnzada.ZADATEL=tmpepri.podnik and zarnzada.nomenkla=tmpepri.nomenkla",
      "DROP TABLE IF EXISTS tmpepri",
  };
  return prikazy;
}

void PrepocitejPrihlasky(TServerQuery& work) {
  for (const std::string& prikaz : PrikazyPrihlasek()) {
    work.Close();
    work.SetText(prikaz);
    work.ExecSQL();
    work.Close();
    work.Clear();
  }
}

// The updater is looked for in the working folder, which is the program
// folder, before the PATH.
void AktualizujCiselniky(TServerQuery& work) {
  SpustProgram(PrikazAktualizace(), false, true);
  PrepocitejPrihlasky(work);
}

}  // namespace zarn
