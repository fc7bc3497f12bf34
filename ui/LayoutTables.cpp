// The window's layout data. Compiled as cp932: the captions are the game's
// own byte strings.
#include "ui/Layout.h"

#include <array>

#include "toolkit/Palette.h"

namespace ikea::ui {
namespace {

using tk::Face;
using tk::FontStyle;
using tk::Hex;
namespace colour = tk::colour;

constexpr FontStyle kBold{.bold = true};
constexpr FontStyle kBoldSmall{.pixels = 11, .bold = true};
constexpr FontStyle kFixedPitch{.face = Face::Gothic};

constexpr Rgb kPanelBack = Hex(0x002346);
constexpr Rgb kHeading = Hex(0x009393);
constexpr Rgb kHelpBack = Hex(0x00376F);
constexpr Rgb kRunnerBack = Hex(0x006CD9);
constexpr Rgb kPriceText = Hex(0x80FFFF);

// Panels carry their children's text colour and bold font.
constexpr Look kDarkPanel{.back = kPanelBack, .text = colour::kAqua, .font = kBold, .hidden = false};

constexpr Look Heading() { return Look{.text = kHeading, .autoSize = true}; }
constexpr Look HelpLine() { return Look{.back = kHelpBack, .autoSize = true}; }
constexpr Look HelpParagraph() { return Look{.back = kHelpBack, .wordWrap = true}; }
constexpr Look Price() { return Look{.text = kPriceText, .autoSize = true}; }
constexpr Look Runner() { return Look{.back = kRunnerBack, .autoSize = true}; }
constexpr Look Holder() { return Look{.hidden = true}; }

const std::array kLayout = {
    // The main view: pond, message line, status and buttons.
    WidgetRow{Kind::Label, "moji_l", nullptr, 0, 200, 301, 73, "moji_l",
               {.back = colour::kBlack, .text = colour::kAqua, .font = kBold, .wordWrap = true}},
    WidgetRow{Kind::Picture, "cg", nullptr, 0, 0, 300, 200, "", {.autoSize = true}},
    WidgetRow{Kind::Label, "state_l", nullptr, 304, 4, 101, 145, "state_l",
               {.back = Hex(0x0080C0), .text = Hex(0x002C57), .font = kBold, .wordWrap = true}},
    WidgetRow{Kind::Gauge, "line_tenshion_l", nullptr, 388, 72, 13, 165, "",
               {.back = Hex(0x00274F), .bar = Hex(0xFF0080), .gaugeMax = 300, .gaugeProgress = 30}},
    WidgetRow{Kind::Label, "line_max_l", nullptr, 384, 64, 22, 11, "300",
               {.text = colour::kYellow, .font = kBoldSmall, .autoSize = true, .transparent = true}},
    WidgetRow{Kind::Label, "Label10", nullptr, 382, 228, 8, 11, "0",
               {.text = colour::kYellow, .font = kBoldSmall, .autoSize = true, .transparent = true}},
    WidgetRow{Kind::Label, "state_l2", nullptr, 253, 236, 48, 12, "state_l2",
               {.text = Hex(0x9224FF), .font = kBold, .autoSize = true, .rightAlign = true, .transparent = true}},
    WidgetRow{Kind::Button, "Button28", nullptr, 304, 244, 97, 29, "HELP", {.font = kBold}},
    WidgetRow{Kind::Button, "Button3", nullptr, 304, 152, 77, 29, "釣具店", {.font = kBold}},
    WidgetRow{Kind::Button, "sao_b", nullptr, 304, 4, 101, 29, "竿を投げる", {.font = kBold}},
    WidgetRow{Kind::Button, "Button2", nullptr, 304, 180, 77, 29, "セーブ \\50", {.font = kBold}},
    WidgetRow{Kind::Button, "Button1", nullptr, 304, 208, 77, 29, "水槽", {.font = kBold}},
    WidgetRow{Kind::Button, "maku_b", nullptr, 304, 244, 97, 29, "巻く", {.font = kBold}},
    WidgetRow{Kind::Button, "Button8", nullptr, 520, 300, 93, 29, "NEW GAME", {.font = kBold, .hidden = true}},
    WidgetRow{Kind::Button, "Button9", nullptr, 520, 332, 93, 29, "COUNTINE", {.font = kBold, .hidden = true}},

    // Picture holders, never seen: other widgets draw from them.
    WidgetRow{Kind::Picture, "title1", nullptr, 700, 0, 409, 277, "", Holder()},
    WidgetRow{Kind::Picture, "title2", nullptr, 700, 0, 409, 277, "", Holder()},
    WidgetRow{Kind::Picture, "title3", nullptr, 700, 0, 409, 277, "", Holder()},
    WidgetRow{Kind::Picture, "title4", nullptr, 700, 0, 409, 277, "", Holder()},
    WidgetRow{Kind::Picture, "title5", nullptr, 700, 0, 409, 277, "", Holder()},
    WidgetRow{Kind::Picture, "title6", nullptr, 700, 0, 409, 277, "", Holder()},
    WidgetRow{Kind::Picture, "h1", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "h2", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "h3", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "h4", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "h5", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "h6", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "y1", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "y2", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "y3", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "y4", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "y5", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "y6", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "n1", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "n2", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "n3", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "n4", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "n5", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "n6", nullptr, 700, 300, 300, 200, "", Holder()},
    WidgetRow{Kind::Picture, "bak", nullptr, 700, 600, 100, 100, "", Holder()},

    // The fish tank.
    WidgetRow{Kind::Panel, "fish_box", nullptr, 44, 456, 405, 273, "", kDarkPanel},
    WidgetRow{Kind::Label, "Label2", "fish_box", 4, 4, 27, 12, "水槽", Heading()},
    WidgetRow{Kind::Label, "fish_l", "fish_box", 4, 16, 309, 121, "水槽",
               {.back = kHelpBack, .text = colour::kAqua, .font = kFixedPitch}},
    WidgetRow{Kind::Label, "Label7", "fish_box", 8, 168, 38, 12, "エサ >", Heading()},
    WidgetRow{Kind::Label, "Label8", "fish_box", 8, 144, 39, 12, "名前 >", Heading()},
    WidgetRow{Kind::Label, "fish_n_l", "fish_box", 4, 20, 27, 12, "昆布",
               {.back = Hex(0x00747D), .text = Hex(0x00FF86), .autoSize = true}},
    WidgetRow{Kind::Label, "moji_l2", "fish_box", 4, 220, 309, 49, "moji_l",
               {.back = colour::kBlack, .text = colour::kAqua, .wordWrap = true}},
    WidgetRow{Kind::Label, "state_l3", "fish_box", 316, 220, 85, 17, "所持金:1000円", {.back = Hex(0x003D79)}},
    WidgetRow{Kind::Picture, "suisou_cg", "fish_box", 236, 60, 76, 73},
    WidgetRow{Kind::Button, "mame_b", "fish_box", 56, 160, 65, 29, "まめ(0)"},
    WidgetRow{Kind::ListBox, "fish_list", "fish_box", 316, 4, 85, 213, "",
               {.back = Hex(0x000E1C), .noBorder = true, .itemHeight = 12}},
    WidgetRow{Kind::Edit, "name_l", "fish_box", 56, 140, 161, 17, "なまえ",
               {.text = colour::kBlack, .font = {.pixels = 16}, .noBorder = true, .maxBytes = 8}},
    WidgetRow{Kind::Button, "milk_b", "fish_box", 120, 160, 65, 29, "牛乳(0)"},
    WidgetRow{Kind::Button, "ebi_b", "fish_box", 184, 160, 65, 29, "えび(0)"},
    WidgetRow{Kind::Button, "jis_b", "fish_box", 248, 160, 65, 29, "じす玉(0)"},
    WidgetRow{Kind::Button, "Button10", "fish_box", 56, 188, 129, 29, "ﾚｰｽ出場"},
    WidgetRow{Kind::Button, "Button17", "fish_box", 184, 188, 65, 29, "出力"},
    WidgetRow{Kind::Button, "Button7", "fish_box", 248, 188, 65, 29, "売却"},
    WidgetRow{Kind::Button, "Button21", "fish_box", 316, 240, 85, 29, "<戻る>"},
    WidgetRow{Kind::Panel, "race_box2", "fish_box", 24, 24, 309, 77, "", {.back = Hex(0x006FDD), .hidden = true}},

    // The race class chooser inside the tank.
    WidgetRow{Kind::Label, "Label9", "race_box2", 104, 8, 45, 12, "要:\\100", Price()},
    WidgetRow{Kind::Label, "Label11", "race_box2", 104, 32, 45, 12, "要:\\200", Price()},
    WidgetRow{Kind::Label, "Label12", "race_box2", 104, 56, 45, 12, "要:\\300", Price()},
    WidgetRow{Kind::Label, "Label13", "race_box2", 256, 8, 45, 12, "要:\\500", Price()},
    WidgetRow{Kind::Label, "Label14", "race_box2", 256, 32, 52, 12, "要:\\1000", Price()},
    WidgetRow{Kind::Label, "Label15", "race_box2", 256, 56, 52, 12, "要:\\2000", Price()},
    WidgetRow{Kind::Button, "Button22", "race_box2", 4, 4, 97, 25, "よわっこクラス"},
    WidgetRow{Kind::Button, "Button23", "race_box2", 4, 28, 97, 25, "年長さんクラス"},
    WidgetRow{Kind::Button, "Button24", "race_box2", 4, 52, 97, 25, "つよいこクラス"},
    WidgetRow{Kind::Button, "Button26", "race_box2", 156, 4, 97, 25, "こわいぞクラス"},
    WidgetRow{Kind::Button, "Button25", "race_box2", 156, 28, 97, 25, "ヘルクラス"},
    WidgetRow{Kind::Button, "Button27", "race_box2", 156, 52, 97, 25, "ファントムクラス"},

    // The tackle shop.
    WidgetRow{Kind::Panel, "shop_box", nullptr, 575, 8, 300, 200, "", kDarkPanel},
    WidgetRow{Kind::Label, "Label3", "shop_box", 4, 4, 40, 12, "釣具店", Heading()},
    WidgetRow{Kind::Button, "Button20", "shop_box", 4, 84, 89, 29, "まめ　\\12"},
    WidgetRow{Kind::Button, "Button4", "shop_box", 4, 24, 89, 29, "銃弾 \\5"},
    WidgetRow{Kind::Button, "Button5", "shop_box", 196, 24, 89, 29, "糸 \\10"},
    WidgetRow{Kind::Button, "Button6", "shop_box", 92, 24, 101, 29, "銃弾10発 \\40"},
    WidgetRow{Kind::Button, "Button18", "shop_box", 4, 52, 89, 29, "にぼし \\6"},
    WidgetRow{Kind::Button, "Button19", "shop_box", 92, 52, 101, 29, "にぼし10匹 \\50"},
    WidgetRow{Kind::Button, "Button13", "shop_box", 4, 112, 89, 29, "牛乳　\\60"},
    WidgetRow{Kind::Button, "Button14", "shop_box", 4, 140, 89, 29, "えび　\\120"},
    WidgetRow{Kind::Button, "Button15", "shop_box", 4, 168, 89, 29, "じす玉　\\500"},
    WidgetRow{Kind::Button, "gun_b", "shop_box", 96, 84, 189, 29, "ゴート銃 \\300"},
    WidgetRow{Kind::Button, "line_b", "shop_box", 96, 112, 189, 29, "糸 \\300"},
    WidgetRow{Kind::Button, "real_b", "shop_box", 96, 140, 189, 29, "リール \\300"},

    // The start screen: the title picture and three invisible click areas.
    WidgetRow{Kind::Panel, "start_box", nullptr, 656, 108, 409, 277, "", {.back = Hex(0x0093D9)}},
    WidgetRow{Kind::Picture, "title_cg", "start_box", 0, 0, 409, 277},
    WidgetRow{Kind::Picture, "Image1", "start_box", 148, 244, 121, 25},
    WidgetRow{Kind::Picture, "Image2", "start_box", 148, 208, 121, 25},
    WidgetRow{Kind::Picture, "Image4", "start_box", 180, 80, 61, 45},

    // The race.
    WidgetRow{Kind::Panel, "race_box", nullptr, 484, 400, 405, 273, "", kDarkPanel},
    WidgetRow{Kind::Label, "Label5", "race_box", 4, 20, 389, 109, "", {.back = Hex(0x000911), .hidden = true}},
    WidgetRow{Kind::Picture, "Image3", "race_box", 8, 24, 381, 101},
    WidgetRow{Kind::Label, "race_l", "race_box", 4, 132, 389, 109, "",
               {.back = Hex(0x00152B), .text = colour::kAqua, .font = kFixedPitch, .wordWrap = true}},
    WidgetRow{Kind::Label, "Label4", "race_box", 4, 4, 109, 12, "にゃんにゃんレース", Heading()},
    WidgetRow{Kind::Label, "fish_1", "race_box", 12, 28, 21, 12, "魚1",
               {.back = kRunnerBack, .text = colour::kFuchsia, .autoSize = true}},
    WidgetRow{Kind::Label, "fish_2", "race_box", 12, 44, 21, 12, "魚1", Runner()},
    WidgetRow{Kind::Label, "fish_3", "race_box", 12, 60, 21, 12, "魚1", Runner()},
    WidgetRow{Kind::Label, "fish_4", "race_box", 12, 76, 21, 12, "魚1", Runner()},
    WidgetRow{Kind::Label, "fish_5", "race_box", 12, 92, 21, 12, "魚1", Runner()},
    WidgetRow{Kind::Label, "fish_6", "race_box", 12, 108, 21, 12, "魚1", Runner()},
    WidgetRow{Kind::Label, "Label6", "race_box", 372, 16, 2, 121, "", {.back = colour::kRed}},
    WidgetRow{Kind::Button, "Button12", "race_box", 4, 244, 89, 25, "応援:要STR"},
    WidgetRow{Kind::Button, "race_start_b", "race_box", 232, 244, 81, 25, "START!!"},
    WidgetRow{Kind::Button, "Button11", "race_box", 312, 244, 81, 25, "戻る"},
    WidgetRow{Kind::Button, "Button16", "race_box", 92, 244, 89, 25, "声援:要:INT"},

    // Help.
    WidgetRow{Kind::Panel, "help_box", nullptr, 602, 208, 300, 200, "", {.back = kPanelBack, .text = colour::kAqua, .font = kBold, .hidden = true}},
    WidgetRow{Kind::Label, "Label16", "help_box", 4, 4, 75, 12, "へるぷへるぷ", Heading()},
    WidgetRow{Kind::Label, "Label17", "help_box", 4, 80, 282, 24,
               "一、敵にはＨＰがあり、ＨＰが０にならないと、敵を完全に釣り上げることは不可能", HelpParagraph()},
    WidgetRow{Kind::Label, "Label18", "help_box", 4, 108, 289, 25,
               "一、敵のＨＰは、暴れる敵をマウスでクリックし、拳銃で撃つことで減らすことが可能", HelpParagraph()},
    WidgetRow{Kind::Label, "Label19", "help_box", 4, 136, 289, 25,
               "一、竿を投げるポイントは、池の手前ほど簡単な小さな魚がかかる。上方は危険なため注意", HelpParagraph()},
    WidgetRow{Kind::Label, "Label20", "help_box", 8, 24, 178, 12, "［竿を投げる］→［ﾎﾟｲﾝﾄをｸﾘｯｸ］", HelpLine()},
    WidgetRow{Kind::Label, "Label21", "help_box", 8, 40, 244, 12, "≪魚ヒット！≫→［巻く］（ﾗｲﾝﾃﾝｼｮﾝに注意）", HelpLine()},
    WidgetRow{Kind::Label, "Label22", "help_box", 8, 56, 275, 12, "≪魚ヒット中≫→［池をｸﾘｯｸで撃つ](HPを減らせ!)", HelpLine()},
    WidgetRow{Kind::Label, "Label23", "help_box", 4, 164, 289, 13, "一、心を静め、お魚ちゃんたちのささやきを聞くこと", HelpParagraph()},
    WidgetRow{Kind::Label, "Label24", "help_box", 4, 180, 289, 13, "一、早朝に早起きしおにぎりつくってプレーすること", HelpParagraph()},
};

constexpr std::array<const char*, 25> kHolders = {
    "title1", "title2", "title3", "title4", "title5", "title6", "h1", "h2", "h3",
    "h4",     "h5",     "h6",     "y1",     "y2",     "y3",     "y4", "y5", "y6",
    "n1",     "n2",     "n3",     "n4",     "n5",     "n6",     "bak"};

}  // namespace

std::span<const WidgetRow> WindowLayout() { return kLayout; }

std::span<const char* const> PictureHolderNames() { return kHolders; }

}  // namespace ikea::ui
