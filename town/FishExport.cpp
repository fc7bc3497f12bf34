#include "town/FishExport.h"

#include "game/AtomicFile.h"
#include "game/Catalogues.h"
#include "game/FileErrors.h"
#include "game/GameContext.h"
#include "base/GameError.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/View.h"
#include "town/FishCard.h"
#include "town/TankSelection.h"

namespace ikea {

std::filesystem::path FishDataPath(const std::filesystem::path& folder) {
  return folder / std::filesystem::path(u8"おさかなデータ.txt");
}

Text FishDataText(const tmy& t, const Catalogues& cat, int slot) {
  const Text crlf = "\r\n";
  const std::int32_t species = t.TankKind[slot];
  const Text cups = CupList(t, slot);
  return "♪おさかなデータ" + crlf +
         "名前:" + t.TankName[slot] + crlf +
         "種:" + cat.Species(species).Name + crlf +
         "大きさ:" + n(t.TankSize[slot]) + "cm." + crlf +
         "TIME:" + t.TankTime[slot] + "秒" + crlf +
         "価値:" + n(CardValue(t, cat, slot, species)) + "円" + (cups.empty() ? Text() : " 優勝:" + cups) + crlf;
}

void Button17Click(GameContext& ctx) {
  const auto slot = SelectedFish(ctx.view);
  if (!slot) {
    ctx.snd.PlayCue0("no.wav");
    return;
  }
  const std::filesystem::path file = FishDataPath(ctx.folder);
  try {
    ReplaceFileAtomically(file, FishDataText(ctx.s, ctx.cat, *slot));
  } catch (const FileReplaceError& e) {
    // The box shows the game's own file texts, as a failed save does.
    throw GameError(ReplaceErrorText(e, file));
  }
  ctx.snd.PlayCue0("katan.wav");
  ctx.view.ShowMessage("ファイル『おさかなデータ.txt』が出力されました");
  ctx.snd.PlayCue0("1.wav");
}

} // namespace ikea
