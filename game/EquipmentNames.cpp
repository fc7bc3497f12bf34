#include "game/CatalogueTables.h"

namespace ikea::tables {
namespace {

constexpr const char* kReels[] = {
    "青銅のリール", "銀のリール", "金のリール", "プラチナリール",
    "ダイヤのリール", "伝説のリール", "うでで巻く",
};

constexpr const char* kGuns[] = {
    "拳銃",           "トロッコ銃",        "ゴート銃",           "ゴート銃α",
    "オクタビー兵銃", "コスモ・ガン",      "大砲",               "レーザー砲",
    "トレジャー銃",   "トレジャーT909",    "トレジャーMTs-808",  "トレジャーＡ",
    "ヌヌミア’ｓガン", "ヌヌミア’ｓWORLD", "ヌヌミア’ｓティア", "石",
};

// Strengths 280, 290, ..., 500.
constexpr const char* kLines[] = {
    "弱い糸",   "わら糸",     "草糸",     "綿糸",     "絹糸",     "合成糸",
    "銀糸",     "金糸",       "くもの糸", "炭素素材糸", "すごい糸", "物凄い糸",
    "神秘の糸", "神の糸",     "未来の糸", "運命の糸", "永遠の糸", "エーテルライン",
    "光の糸",   "闇の糸",     "ねこのひげ", "ヘブンズヘア", "ラストライン",
};

} // namespace

std::span<const char* const> ReelNameRows() { return kReels; }
std::span<const char* const> GunNameRows() { return kGuns; }
std::span<const char* const> LineNameRows() { return kLines; }

} // namespace ikea::tables
