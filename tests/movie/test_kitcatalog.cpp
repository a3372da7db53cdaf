#include "movie/kit/kitcatalog.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// A dialog file whose 7th line the cases below spoil.
QByteArray fontDialog(const QByteArray& line7)
{
    return R"json({
  "width": 400,
  "height": 260,
  "controls": [
    { "type": "tabs", "items": ["字体", "效果"], "x": 8, "y": 6, "w": 380, "h": 200 },
    { "type": "combo", "id": "中文字体", "items": ["宋体", "黑体"], "value": "宋体", "x": 20, "y": 60, "w": 120, "h": 22 },
)json" + line7 +
           R"json(
    { "type": "button", "id": "确定", "x": 220, "y": 220, "w": 75, "h": 23 }
  ]
}
)json";
}

QByteArray menus(const QByteArray& line5)
{
    return R"json({
  "menus": [
    { "title": "文件(F)", "items": [
      { "text": "新建(N)...", "opens": "taskpane:新建演示文稿" },
)json" + line5 +
           R"json(
      { "text": "关闭(C)" }
    ] }
  ]
}
)json";
}

QString loadError(const std::vector<KitFile>& files)
{
    auto kit = KitCatalog::load(files);
    return kit ? QString() : kit.error();
}

TEST(KitFiles, RefusesMisspeltKeysUnknownTypesAndWrongKindsAtTheirFileAndLine)
{
    struct Case
    {
        const char* what;
        KitFile file;
        QString where;  // "<file>:<line>: "
        QString saying; // a part of the message
    };
    const QString font = u"dialogs/字体.json"_s;
    const std::vector<Case> cases = {
        {"a misspelt control key",
         {font, fontDialog(R"(    { "type": "combo", "id": "字号", "edtiable": true },)")},
         font + u":7: "_s,
         u"controls[2].edtiable 是未知的键"_s},
        {"an unknown control type",
         {font, fontDialog(R"(    { "type": "combox", "id": "字号" },)")},
         font + u":7: "_s,
         u"controls[2].type “combox”不是控件类型"_s},
        {"a control without a type",
         {font, fontDialog(R"(    { "id": "字号" },)")},
         font + u":7: "_s,
         u"controls[2] 缺少控件类型"_s},
        {"a check box's value as text",
         {font, fontDialog(R"(    { "type": "check", "id": "阴影", "value": "on" },)")},
         font + u":7: "_s,
         u"controls[2].value 应为 true 或 false"_s},
        {"a spin box's value as text",
         {font, fontDialog(R"(    { "type": "spin", "id": "偏移", "value": "0" },)")},
         font + u":7: "_s,
         u"controls[2].value 应为数字"_s},
        {"a list item that is a number",
         {font, fontDialog("    { \"type\": \"list\", \"id\": \"l\",\n  \"items\": [\"a\",\n 2] },")},
         font + u":9: "_s,
         u"controls[2].items[1] 应为文字"_s},
        {"a width that is not whole",
         {u"dialogs/颜色.json"_s, "{\n  \"width\": 400.5,\n  \"controls\": []\n}\n"},
         u"dialogs/颜色.json:2: "_s,
         u"width 应为整数"_s},
        {"a misspelt dialog key",
         {u"dialogs/颜色.json"_s, "{\n  \"width\": 400,\n  \"contorls\": []\n}\n"},
         u"dialogs/颜色.json:3: "_s,
         u"contorls 是未知的键"_s},
        {"a misspelt task pane key",
         {u"taskpanes/剪贴板.json"_s, "{\n\n  \"titel\": \"剪贴板\"\n}\n"},
         u"taskpanes/剪贴板.json:3: "_s,
         u"titel 是未知的键"_s},
        {"an item opening something named as a number",
         {font, fontDialog("    { \"type\": \"combo\", \"id\": \"效果\", \"items\": [\"其他效果(M)...\"],\n"
                           "      \"itemOpens\": { \"其他效果(M)...\": 3 } },")},
         font + u":8: "_s,
         u"controls[2].itemOpens.其他效果(M)... 应为文字"_s},
        {"a misspelt menu item key",
         {u"menus.json"_s, menus(R"(      { "text": "打开(O)...", "itmes": [] },)")},
         u"menus.json:5: "_s,
         u"menus[0].items[1].itmes 是未知的键"_s},
        {"a separator given as text",
         {u"menus.json"_s, menus(R"(      { "separator": "true" },)")},
         u"menus.json:5: "_s,
         u"menus[0].items[1].separator 应为 true 或 false"_s},
        {"a misspelt toolbar button key",
         {u"toolbars.json"_s,
          "{\n  \"toolbars\": { \"常用\": [\n    { \"name\": \"新建\", \"icno\": \"new\" }\n  ] }\n}\n"},
         u"toolbars.json:3: "_s,
         u"toolbars.常用[0].icno 是未知的键"_s},
        {"a misspelt key in an item of a toolbar button's menu",
         {u"toolbars.json"_s,
          "{\n  \"toolbars\": { \"绘图\": [\n    { \"name\": \"绘图(R)\", \"items\": [\n"
          "      { \"text\": \"组合(G)\" },\n      { \"txet\": \"取消组合(U)\" }\n    ] }\n  ] }\n}\n"},
         u"toolbars.json:5: "_s,
         u"toolbars.绘图[0].items[1].txet 是未知的键"_s},
        {"an unknown toolbar button type",
         {u"toolbars.json"_s, "{\n  \"toolbars\": { \"格式\": [\n    { \"name\": \"字号\",\n \"type\": "
                              "\"dropdown\" }\n  ] }\n}\n"},
         u"toolbars.json:4: "_s,
         u"toolbars.格式[0].type “dropdown”不是工具栏按钮的类型"_s},
        {"a drop-down box's value that is a number",
         {u"toolbars.json"_s, "{\n  \"toolbars\": { \"格式\": [\n    { \"name\": \"字号\", \"type\": "
                              "\"combo\", \"items\": [\"8\",\n 9] }\n  ] }\n}\n"},
         u"toolbars.json:4: "_s,
         u"toolbars.格式[0].items[1] 应为文字"_s},
        {"a misspelt context menu item key",
         {u"contextmenus.json"_s,
          "{\n  \"contextmenus\": { \"slide\": [\n\n    { \"txet\": \"粘贴(P)\" } ] }\n}\n"},
         u"contextmenus.json:4: "_s,
         u"contextmenus.slide[0].txet 是未知的键"_s},
        {"a misspelt key entry key",
         {u"keys.json"_s, "{\n  \"keys\": [\n    { \"key\": \"Ctrl+B\", \"name\": \"加粗\" },\n    { "
                          "\"kye\": \"Ctrl+I\" }\n  ]\n}\n"},
         u"keys.json:4: "_s,
         u"keys[1].kye 是未知的键"_s},
        {"a misspelt part of the kit",
         {u"kit.json"_s, "{\n  \"menus\": [],\n  \"dialog\": {}\n}\n"},
         u"kit.json:3: "_s,
         u"dialog 是未知的键"_s},
        {"a part of the wrong kind",
         {u"icons.json"_s, "{\n  \"icons\": \"new\"\n}\n"},
         u"icons.json:2: "_s,
         u"icons 应为文字的数组"_s},
        {"a key given twice",
         {font, fontDialog(R"(    { "type": "check", "id": "阴影", "id": "下划线" },)")},
         font + u":7: "_s,
         u"controls[2].id 重复出现"_s},
        {"a drawing style the control type does not have",
         {font, fontDialog(R"(    { "type": "tabs", "items": ["字体"], "style": "side" },)")},
         font + u":7: "_s,
         u"controls[2].style “side”不是tabs的样式（可用：bar、wizard）"_s},
        {"a list following a control the dialog does not have",
         {font,
          fontDialog(R"(    { "type": "list", "id": "子类", "itemsFor": { "类": { "甲": ["乙"] } } },)")},
         font + u":7: "_s,
         u"controls[2].itemsFor.类 不是本窗体的控件"_s},
        {"a box held by a control the dialog does not have",
         {font,
          fontDialog(R"(    { "type": "check", "id": "循环", "fixedFor": { "类型": { "展台": true } } },)")},
         font + u":7: "_s,
         u"controls[2].fixedFor.类型 不是本窗体的控件"_s},
        {"a check box held at a text",
         {font,
          fontDialog(R"(    { "type": "check", "id": "循环", "fixedFor": { "阴影": { "on": "true" } } },)")},
         font + u":7: "_s,
         u"controls[2].fixedFor.阴影.on"_s},
        {"a colour field that names no spin boxes",
         {font, fontDialog(R"(    { "type": "spectrum", "items": ["中文字体", "红", "绿"] },)")},
         font + u":7: "_s,
         u"controls[2].items[0] 不是本窗体的数值框"_s},
        {"a preset of a control the dialog does not have",
         {u"dialogs/动作设置.json"_s,
          "{\n  \"presets\": {\n    \"动作按钮: 开始\": { \"超链\": \"第一张幻灯片\" }\n  },\n"
          "  \"controls\": [ { \"type\": \"combo\", \"id\": \"超链接到\", \"items\": "
          "[\"第一张幻灯片\"] } ]\n}\n"},
         u"dialogs/动作设置.json:3: "_s,
         u"presets.动作按钮: 开始.超链 不是本窗体的控件"_s},
        {"a preset value the control does not offer",
         {u"dialogs/动作设置.json"_s,
          "{\n  \"presets\": {\n    \"动作按钮: 开始\": { \"超链接到\": \"第九张\" }\n  },\n"
          "  \"controls\": [ { \"type\": \"combo\", \"id\": \"超链接到\", \"items\": "
          "[\"第一张幻灯片\"] } ]\n}\n"},
         u"dialogs/动作设置.json:3: "_s,
         u"“超链接到”中没有“第九张”"_s},
        {"a list the presentation does not give",
         {font, fontDialog(R"(    { "type": "list", "id": "幻灯片", "items": "pages" },)")},
         font + u":7: "_s,
         u"controls[2].items “pages”不是演示文稿给出的列表"_s},
        {"an adding button for a list no button fills",
         {font, fontDialog(R"(    { "type": "button", "id": "添加", "adds": "中文字体" },)")},
         font + u":7: "_s,
         u"controls[2].adds 不是本窗体中由按钮填入的列表"_s},
        {"a control shown after something that is not a button of its form",
         {font, fontDialog(R"(    { "type": "gallery", "id": "结果", "after": "中文字体" },)")},
         font + u":7: "_s,
         u"controls[2].after 不是本窗体的按钮"_s},
        {"a spin step following a control the dialog does not have",
         {font, fontDialog(R"(    { "type": "spin", "id": "段后", "stepFor": { "单位": { "磅": 1 } } },)")},
         font + u":7: "_s,
         u"controls[2].stepFor.单位 不是本窗体的控件"_s},
        {"a document that does not read",
         {font, fontDialog(R"(    { "type": "check" "id": "阴影" },)")},
         font + u":7: "_s,
         u"不是有效的 JSON"_s},
    };
    for (const Case& c : cases) {
        const QString error = loadError({c.file});
        EXPECT_TRUE(error.startsWith(c.where)) << c.what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(c.saying)) << c.what << ": " << error.toStdString();
    }
    // The sound files of the cases load.
    EXPECT_EQ(loadError({{font, fontDialog(R"(    { "type": "check", "id": "阴影", "value": true },)")},
                         {u"menus.json"_s, menus(R"(      { "separator": true },)")}}),
              QString());
}

TEST(KitFiles, PresetsColourButtonsAndTheNewKindsOfControlLoad)
{
    auto kit = KitCatalog::load(
        {{u"dialogs/动作设置.json"_s,
          R"j({ "presets": { "动作按钮: 结束": { "动作": "超链接到(H):", "超链接到": "最后一张幻灯片" } },
               "controls": [ { "type": "options", "id": "动作", "items": ["无动作(N)", "超链接到(H):"] },
                             { "type": "combo", "id": "超链接到", "items": ["第一张幻灯片", "最后一张幻灯片"] },
                             { "type": "editlist", "id": "字号", "items": ["8", "9"] },
                             { "type": "color", "id": "颜色", "items": ["自动", "红色"] },
                             { "type": "palette", "id": "标准颜色", "items": ["红色"], "style": "hexagon" },
                             { "type": "spin", "id": "红" }, { "type": "spin", "id": "绿" }, { "type": "spin", "id": "蓝" },
                             { "type": "spectrum", "items": ["红", "绿", "蓝"] }, { "type": "swatch" } ] })j"},
         {u"toolbars.json"_s,
          R"({ "toolbars": { "绘图": [ { "name": "填充颜色", "type": "color",
                                         "items": [ { "text": "红色" }, { "text": "其他填充颜色(M)..." } ] } ] } })"}});
    ASSERT_TRUE(kit.ok()) << kit.error().toStdString();
    const KitForm* form = kit->dialog(u"动作设置"_s);
    EXPECT_EQ(form->presets.at(u"动作按钮: 结束"_s).at(u"超链接到"_s), u"最后一张幻灯片"_s);
    EXPECT_EQ(kit->toolbarButton(u"填充颜色"_s)->type, KitButtonType::Color);
    EXPECT_TRUE(kit->resolve(u"toolbar:填充颜色/其他填充颜色(M)..."_s).ok());
    // An edit box over a list takes any text typed; a colour box and a palette only their colours.
    EXPECT_TRUE(kit->resolve(u"dialog:动作设置/字号=23"_s).ok());
    EXPECT_TRUE(kit->resolve(u"dialog:动作设置/颜色=红色"_s).ok());
    EXPECT_FALSE(kit->resolve(u"dialog:动作设置/颜色=蓝色"_s).ok());
    EXPECT_FALSE(kit->resolve(u"dialog:动作设置/标准颜色=蓝色"_s).ok());
}

TEST(KitFiles, AssemblesTheCatalogFromItsFilesAndRefusesAPartGivenTwice)
{
    const std::vector<KitFile> files = {
        {u"menus.json"_s, menus(R"(      { "separator": true },)")},
        {u"dialogs/字体.json"_s, fontDialog(R"(    { "type": "check", "id": "阴影", "value": true },)")},
        {u"taskpanes/幻灯片版式.json"_s,
         R"({ "controls": [ { "type": "gallery", "id": "版式", "items": ["标题幻灯片"] } ] })"},
        {u"toolbars.json"_s,
         R"({ "toolbars": { "绘图": [ { "name": "箭头" } ], "常用": [ { "name": "新建" } ] } })"},
    };
    auto kit = KitCatalog::load(files);
    ASSERT_TRUE(kit.ok()) << kit.error().toStdString();
    ASSERT_NE(kit->dialog(u"字体"_s), nullptr);
    EXPECT_TRUE(kit->dialog(u"字体"_s)->dialog);
    EXPECT_EQ(kit->dialog(u"字体"_s)->control(u"阴影"_s)->type, KitControlType::Check);
    EXPECT_EQ(kit->dialog(u"字体"_s)->tabs()->id, u"标签"_s);
    EXPECT_NE(kit->taskPane(u"幻灯片版式"_s), nullptr);
    EXPECT_TRUE(kit->resolve(u"taskpane:幻灯片版式/版式=标题幻灯片"_s).ok());
    EXPECT_TRUE(kit->resolve(u"menu:文件(F)/关闭(C)"_s).ok());
    ASSERT_EQ(kit->toolbars().size(), 2u);
    EXPECT_EQ(kit->toolbars()[0].first, u"常用"_s);

    std::vector<KitFile> twice = files;
    twice.push_back({u"more.json"_s, R"({ "dialogs": { "颜色": {}, "字体": {} } })"});
    EXPECT_TRUE(
        loadError(twice).startsWith(u"more.json:1: PowerPoint 套件有误：dialogs.字体 对话框“字体”已在 "
                                    u"dialogs/字体.json 中给出"_s))
        << loadError(twice).toStdString();
    twice.back() = {u"menus2.json"_s, R"({ "menus": [] })"};
    EXPECT_TRUE(loadError(twice).contains(u"已在 menus.json 中给出"_s)) << loadError(twice).toStdString();
}

TEST(KitFiles, GraphsPartLendsPowerPointsMenusItLeavesEmptyAndSurvivesCompiling)
{
    const QByteArray graph = R"json({ "graph": { "datasheet": "字体",
        "menus": [ { "title": "文件(F)" }, { "title": "数据(D)", "items": [ { "text": "系列产生在列(C)" } ] } ],
        "toolbars": { "格式": [ { "name": "图表加粗", "tooltip": "加粗" } ],
                      "常用": [ { "name": "查看数据表", "opens": "graph:datasheet" } ] } } })json";
    std::vector<KitFile> files = {{u"graph.json"_s, graph},
                                  {u"menus.json"_s, menus(R"(      { "separator": true },)")},
                                  {u"dialogs/字体.json"_s, fontDialog({})}};
    auto kit = KitCatalog::load(files);
    ASSERT_TRUE(kit.ok()) << kit.error().toStdString();
    ASSERT_EQ(kit->graphMenus().size(), 2u);
    EXPECT_EQ(kit->graphMenus()[0].items, kit->menus()[0].items); // read before menus.json, filled after
    ASSERT_EQ(kit->graphToolbars().size(), 2u);
    EXPECT_EQ(kit->graphToolbars()[0].first, u"常用"_s);
    EXPECT_EQ(kit->toolbarButton(u"查看数据表"_s)->opens, u"graph:datasheet"_s);
    // A command only Graph's menu bar has is Graph's; one PowerPoint has stays PowerPoint's.
    auto data = kit->resolve(u"menu:数据(D)/系列产生在列(C)"_s);
    ASSERT_TRUE(data.ok()) << data.error().toStdString();
    EXPECT_TRUE(data->graph);
    EXPECT_FALSE(kit->resolve(u"menu:文件(F)/关闭(C)"_s)->graph);
    auto back = KitCatalog::fromCompiled(kit->compiled());
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_TRUE(back.value() == kit.value());
    EXPECT_EQ(back->graphDatasheet(), u"字体"_s);

    files[0].json = R"json({ "graph": { "menus": [ { "title": "数据(D)" } ] } })json";
    EXPECT_TRUE(loadError(files).contains(u"“数据(D)”没有命令"_s)) << loadError(files).toStdString();
    files[0].json = R"json({ "graph": { "datasheet": "数据表" } })json";
    EXPECT_TRUE(loadError(files).contains(u"数据表“数据表”不是对话框"_s)) << loadError(files).toStdString();
    files[0].json = R"json({ "graph": { "datasheets": "字体" } })json";
    EXPECT_FALSE(loadError(files).isEmpty());
}

TEST(KitFiles, TheControlTypesReadAsTheirKitNames)
{
    for (const QString& name : {u"label"_s, u"group"_s, u"tabs"_s, u"list"_s, u"combo"_s, u"check"_s,
                                u"options"_s, u"spin"_s, u"text"_s, u"button"_s, u"link"_s, u"gallery"_s,
                                u"editlist"_s, u"color"_s, u"palette"_s, u"spectrum"_s, u"swatch"_s}) {
        const auto type = KitCatalog::controlType(name);
        ASSERT_TRUE(type.has_value()) << name.toStdString();
        EXPECT_EQ(KitCatalog::controlTypeName(*type), name);
    }
    EXPECT_FALSE(KitCatalog::controlType(u"Combo"_s).has_value());
    EXPECT_FALSE(KitCatalog::controlType(QString()).has_value());
}

// The programs carry the kit folder as it stands, read and checked by the
// build: what they read back at start is the folder's kit, field for field.
TEST(KitFiles, TheBuiltInKitIsTheKitFolderAndLoads)
{
    const std::vector<KitFile> onDisk =
        KitCatalog::filesIn(QString::fromUtf8(DRILL_SOURCE_DIR) + u"/movie/kit"_s);
    ASSERT_FALSE(onDisk.empty());
    auto kit = KitCatalog::load(onDisk);
    ASSERT_TRUE(kit.ok()) << kit.error().toStdString();
    for (const KitFile& file : onDisk) {
        const QString name = file.name.section(u'/', -1).chopped(5);
        if (file.name.startsWith(u"dialogs/"_s)) {
            EXPECT_NE(kit->dialog(name), nullptr) << name.toStdString();
        } else if (file.name.startsWith(u"taskpanes/"_s)) {
            EXPECT_NE(kit->taskPane(name), nullptr) << name.toStdString();
        }
    }
    const KitCatalog& shipped = KitCatalog::instance();
    EXPECT_TRUE(shipped == *kit) << "rebuild: the kit folder has changed";
    EXPECT_FALSE(shipped.menus().empty());
    EXPECT_GE(shipped.toolbars().size(), 3u);
    EXPECT_FALSE(shipped.icons().isEmpty());
    EXPECT_NE(shipped.key(u"Ctrl+M"_s), nullptr);
    EXPECT_NE(shipped.contextMenu(u"thumbnail"_s), nullptr);
    EXPECT_TRUE(shipped.resolve(u"dialog:字体/确定"_s).ok());
}

} // namespace

namespace {

// The compiled form read back: the same kit, its dialogs and panes read when asked for.
TEST(CompiledKit, ReadsBackAsTheKitAndRefusesAnotherVersionOrDamage)
{
    const auto kit =
        KitCatalog::load(KitCatalog::filesIn(QString::fromUtf8(DRILL_SOURCE_DIR) + u"/movie/kit"_s));
    ASSERT_TRUE(kit.ok()) << kit.error().toStdString();
    const QByteArray bytes = kit->compiled();

    const auto readBack = KitCatalog::fromCompiled(bytes);
    ASSERT_TRUE(readBack.ok()) << readBack.error().toStdString();
    const KitForm* font = readBack->dialog(u"字体"_s);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, readBack->dialog(u"字体"_s)) << "a form is read once and stays where it is";
    EXPECT_TRUE(*font == *kit->dialog(u"字体"_s));
    EXPECT_EQ(readBack->dialog(u"没有这个对话框"_s), nullptr);
    EXPECT_EQ(readBack->taskPaneNames(), kit->taskPaneNames());
    EXPECT_TRUE(readBack->resolve(u"dialog:字体/确定"_s).ok());
    EXPECT_TRUE(readBack.value() == kit.value());

    QByteArray otherVersion = bytes;
    otherVersion[7] = char(otherVersion[7] + 1);
    EXPECT_FALSE(KitCatalog::fromCompiled(otherVersion).ok());
    EXPECT_FALSE(KitCatalog::fromCompiled(bytes.left(bytes.size() / 2)).ok());
    EXPECT_FALSE(KitCatalog::fromCompiled(bytes + "x").ok());
    EXPECT_FALSE(KitCatalog::fromCompiled({}).ok());
}

// A field left out of the compiled form shows: the catalogs then differ.
TEST(CompiledKit, CatalogsThatDifferInOneFieldAreNotEqual)
{
    const QByteArray kit = R"({"dialogs": {"示例": {"width": 200, "height": 100, "controls": [
        {"type": "button", "id": "确定", "x": 10, "y": 10, "w": 60, "h": 20}]}}})";
    auto a = KitCatalog::parse(kit);
    auto b = KitCatalog::parse(QByteArray(kit).replace("\"x\": 10", "\"x\": 11"));
    ASSERT_TRUE(a.ok() && b.ok()) << a.error().toStdString() << b.error().toStdString();
    EXPECT_FALSE(a.value() == b.value());
    EXPECT_TRUE(KitCatalog::fromCompiled(a->compiled()).value() == a.value());
}

// kitcompile fails the build at a fault's file and line, and writes nothing.
TEST(CompiledKit, TheBuildRefusesAFaultyKitAtItsFileAndLine)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QDir(folder.path()).mkdir(u"dialogs"_s);
    QFile dialog(folder.filePath(u"dialogs/示例.json"_s));
    ASSERT_TRUE(dialog.open(QIODevice::WriteOnly));
    dialog.write("{\n  \"width\": 200,\n  \"hieght\": 100,\n  \"controls\": []\n}\n");
    dialog.close();
    const QString output = folder.filePath(u"out/kit.bin"_s);
    QProcess tool;
    tool.start(QString::fromUtf8(KITCOMPILE_EXE), {folder.path(), output});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_NE(tool.exitCode(), 0);
    const QString error = QString::fromUtf8(tool.readAllStandardError());
    EXPECT_TRUE(error.contains(u"movie/kit/dialogs/示例.json:3"_s)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(output));

    ASSERT_TRUE(dialog.open(QIODevice::WriteOnly | QIODevice::Truncate));
    dialog.write("{\n  \"width\": 200,\n  \"height\": 100,\n  \"controls\": []\n}\n");
    dialog.close();
    tool.start(QString::fromUtf8(KITCOMPILE_EXE), {folder.path(), output});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const auto readBack = KitCatalog::fromCompiled(written.readAll());
    ASSERT_TRUE(readBack.ok());
    EXPECT_NE(readBack->dialog(u"示例"_s), nullptr);
}

} // namespace
