// The engine question answered for two benchmark variants of the program, each linked from the
// shipped program's objects with this answer instead of the shipped one, so that what the program's
// own engine does for each file can be priced by the difference of their times:
//   ZorvikLinksShown  the program's own engine with links judged as the system shows them: the
//                     file is opened once and checked and moved through that handle as always,
//                     only the per-file link check (the name query of LeadsElsewhere) is left out;
//   ZorvikByName      (ZV_BENCH_BY_NAME) an engine that opens and checks nothing and moves each
//                     file by its name with one MoveFileExW, as the floor moves it: the one-handle
//                     check left out whole.
// Neither is fit to ship: they move what a link leads to, and the second moves the program's own
// files too.
#include <windows.h>

#include "app/Startup.h"
#include "sorting/MoveEngine.h"
#include "sorting/MoveMessages.h"

namespace zv {

#ifdef ZV_BENCH_BY_NAME
namespace {

class ByNameEngine : public MoveEngine {
  public:
    using MoveEngine::MoveEngine;
    bool Take(DroppedFile &) override { return true; }

  protected:
    bool MoveOneFile(DroppedFile &file, const DualText &to) override {
        return Moved(file.path, to.wide);
    }
    bool MoveOneFolder(const DualText &from, const std::string &toFolder) override {
        return Moved(from, PathIn(DualText(toFolder), FileNameOf(from)).wide);
    }

  private:
    static bool Moved(const DualText &from, const std::wstring &to) {
        if (MoveFileExW(from.wide.c_str(), to.c_str(), 0)) return true;
        ReportMoveError(from, GetLastError());
        return false;
    }
};

} // namespace

MoveEngine &MovesForThisSystem() {
    static ByNameEngine engine(MoveEngine::Links::Shown);
    return engine;
}
#else
MoveEngine &MovesForThisSystem() {
    static const std::unique_ptr<MoveEngine> engine = OwnMoves(MoveEngine::Links::Shown);
    return *engine;
}
#endif

} // namespace zv
