#pragma once

#include "common/result.h"
#include "movie/session/windowview.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace pptdrill {

// The largest movie file the player accepts.
inline constexpr qint64 kMaxMovieBytes = 1 << 20;
// The most slides a presentation may have, at the start or after any step.
inline constexpr int kMaxMovieSlides = 200;
// The largest font size (points), as in PowerPoint.
inline constexpr double kMaxFontSize = 4000;
// The farthest a shape's position or size may reach (points): 56 inches, PowerPoint's largest slide.
inline constexpr double kMaxShapeExtent = 4032;

struct SlideFont
{
    QString family;
    double size = 0; // points; 0 = the layout's own
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    QString color; // #RRGGBB or a scheme colour's name ("accent"), empty = the design's
    QString align; // left, center, right, justify, distribute

    // 西文字体: the family of Latin letters and digits (empty = family); 阴影 and 阳文.
    QString latinFamily;
    std::optional<bool> shadow;
    std::optional<bool> emboss;

    bool operator==(const SlideFont&) const = default;
};

// A chart's datasheet: its categories and, per series, one value a category.
struct ChartSeries
{
    QString name;
    std::vector<double> values;

    bool operator==(const ChartSeries&) const = default;
};

struct ChartData
{
    QStringList categories;
    std::vector<ChartSeries> series;

    bool operator==(const ChartData&) const = default;
};

struct SlideShape
{
    QString type;
    double x = 0, y = 0, w = 0, h = 0; // points on a 720 × 540 slide
    QString text;
    QString fill;
    QString line;

    // Objects: turned clockwise (degrees), and the group it belongs to (0: none).
    double rotation = 0;
    int group = 0;
    // Flipped left to right (水平翻转) and top to bottom (垂直翻转), before turning.
    bool flipH = false;
    bool flipV = false;
    // 阴影样式 n of the 绘图 toolbar (1 to 20; 0: no shadow).
    int shadow = 0;
    // An action button's picture, as 动作按钮 names it ("上一张", "结束"; empty: 前进或下一项's).
    QString button{};
    // A chart: its sub-type as 图表类型 names it ("簇状柱形图"; empty: the
    // inserted sample, a 三维簇状柱形图) and its datasheet (empty: the sample's).
    QString chart{};
    ChartData data{};
    // An organisation chart: its layout (标准, 两边悬挂, 左悬挂, 右悬挂) and the
    // shapes added to its top shape; `text` names the top shape, then its subordinates.
    QString orgLayout{};
    int subordinates = 3;
    int assistants = 0;
    int coworkers = 0;
    // A table: its border width (points; 0: the default thin line), its outside
    // border's width and colour where 设置表格格式 or 外侧框线 set them apart
    // (0 and empty: as the others), and where its cells' text stands (顶端 or 居中).
    double borderWidth = 0;
    // A text box: its text's font, written top to bottom (竖排), where it is anchored
    // (文本锚点类型), whether it wraps, and its insets in centimetres (内部边距).
    SlideFont font{};
    bool vertical = false;
    QString anchor{};
    bool wordWrap = true;
    double insetLeft = 0.25, insetRight = 0.25, insetTop = 0.13, insetBottom = 0.13;
    // A picture of a 相册: the frame its 相框形状 gives it (圆角矩形, 简单框架，白色 …); empty: none.
    QString frame{};
    double outerBorderWidth = 0;
    QString outerLine{};
    QString cellAlign{};
    // A picture or clip art: its 图像控制 (颜色: 灰度, 黑白, 冲蚀; empty: 自动),
    // brightness and contrast (%, 50 as inserted), and what is cut off each side (points).
    QString pictureColor{};
    double brightness = 50;
    double contrast = 50;
    double cropLeft = 0, cropRight = 0, cropTop = 0, cropBottom = 0;
    // A diagram (图示): its kind (循环图, 射线图, 棱锥图, 维恩图, 目标图), how many
    // shapes it has (a 射线图's outer ones, around its centre) and whether 反转图示
    // turned their order round.
    QString diagram{};
    int diagramShapes = 3;
    bool diagramReversed = false;

    bool operator==(const SlideShape&) const = default;
};

// A body's bullets or numbering (项目符号和编号).
struct SlideBullets
{
    QString character; // the bullet, empty = the design's; "无" = none
    QString color;     // #RRGGBB, empty = the design's bullet colour
    double size = 100; // % of the text's height
    QString numbering; // a numbering style ("1. 2. 3.", "a) b) c)" …); empty = bullets
    int start = 1;     // the first paragraph's number
    int picture = 0;   // a picture bullet of 图片项目符号, counted from 1 (0: none)

    bool operator==(const SlideBullets&) const = default;
};

// A body's line and paragraph spacing (行距), each in lines or in points.
struct SlideSpacing
{
    double line = 1;
    bool linePoints = false;
    double before = 0.2;
    bool beforePoints = false;
    double after = 0;
    bool afterPoints = false;

    bool operator==(const SlideSpacing&) const = default;
};

// How a slide comes on in a slide show (幻灯片切换).
struct SlideTransition
{
    QString effect;      // a name of the 幻灯片切换 pane's list; empty or 无切换: none
    QString speed;       // 慢速, 中速 or 快速; empty: 快速
    QString sound;       // a name of the pane's 声音 list; empty: [无声音]
    bool onClick = true; // 单击鼠标时: a click moves on
    double after = -1;   // 每隔: moves on by itself after this many seconds; below 0: not ticked

    bool isNone() const { return effect.isEmpty() || effect == QStringLiteral("无切换"); }
    bool operator==(const SlideTransition&) const = default;
};

// One custom animation effect of a slide (自定义动画), in the order the show plays them.
struct SlideEffect
{
    QString target;                           // title, body, subtitle or shape:n
    QString kind = QStringLiteral("进入");    // 进入, 强调, 退出 or 动作路径
    QString effect;                           // 飞入, 陀螺旋, 向右…
    QString start = QStringLiteral("单击时"); // 单击时, 之前 or 之后
    QString speed;                            // 非常慢, 慢速, 中速, 快速, 非常快; empty: 中速
    QString direction;                        // 自左侧…; empty: the effect's own
    double delay = 0;                         // seconds
    int repeat = 1;
    QString textGrouping; // 作为一个对象, 所有段落同时, 按第一级段落…; empty: the effect's own
    QString animateText; // 整批发送, 按字/词, 按字母
    QString sound;
    bool reverse = false; // 相反顺序
    QString trigger; // a click on this object (title, body, subtitle, shape:n) starts it; empty: the clicks'
                     // sequence
    QString afterAnimation; // 动画播放后: 播放动画后隐藏, 下次单击后隐藏, a dimming #RRGGBB; empty: 不变暗
    bool rewind = false; // 播完后快退
    QString repeatUntil; // 重复 直到下一次单击 or 直到幻灯片末尾; empty: `repeat` times

    bool operator==(const SlideEffect&) const = default;
};

// A background drawn by 填充效果: a gradient, a texture, a pattern or a picture.
struct BackgroundFill
{
    QString type;       // gradient, texture, pattern, picture; empty: none
    QStringList colors; // a gradient's one or two colours (#RRGGBB)
    QString preset;     // a preset gradient (雨后初晴, 红日西斜 …)
    QString style;   // a gradient's 底纹样式: 水平, 垂直, 斜上, 斜下, 角部辐射, 中心辐射
    int variant = 1; // which of the style's four 变形 (1–4)
    QString texture; // 羊皮纸, 纸莎草纸, 花岗岩 …
    QString pattern; // 大网格, 浅色下对角线 …
    QString foreground; // a pattern's colours
    QString background;

    bool operator==(const BackgroundFill&) const = default;
};

// The eight colours of a colour scheme; an empty one is the design's.
struct ColorScheme
{
    QString background, text, shadow, title, fill, accent, hyperlink, followed;

    bool isEmpty() const { return *this == ColorScheme{}; }
    bool operator==(const ColorScheme&) const = default;
};

// A comment (批注) on a slide: who wrote it and what it says.
struct SlideComment
{
    QString author;
    QString initials; // shown on its marker, with its number
    QString text;
    bool open = false; // its box shows beside the marker, as while it is written or read

    bool operator==(const SlideComment&) const = default;
};

struct Slide
{
    QString layout = QStringLiteral("标题和文本");
    QString title;
    QString subtitle;
    QStringList body;
    QString notes;
    SlideFont notesFont; // the notes' own font where it differs from the notes master's
    QString foundText;   // the text 查找 found and selected on this slide
    QString background;
    bool hidden = false;
    bool collapsed = false; // the outline shows its title only
    SlideTransition transition;
    QString animation; // the 动画方案 applied (older movies: the effect added)
    std::vector<SlideEffect> effects;
    SlideFont titleFont;
    SlideFont bodyFont;
    std::vector<SlideShape> shapes;

    // Bullets, spacing and hyperlinked text of the slide's placeholders.
    SlideBullets bullets;
    SlideSpacing spacing;
    QString titleLink; // where the title's text links to; empty: no hyperlink
    QString bodyLink;  // the body's, or a title slide's subtitle's
    bool linkVisited = false;
    // The background's fill effect, the colour scheme and the master's graphics.
    BackgroundFill fill;
    ColorScheme scheme;
    bool ignoreMasterGraphics = false;
    // Words the editing views underline with a red wavy line (slideAsShown fills it in).
    QStringList misspelled;
    std::vector<SlideComment> comments;

    bool operator==(const Slide&) const = default;
};

// The date, slide number and footer of the slides (页眉和页脚's 幻灯片 page), from the master.
struct SlideFooters
{
    bool date = false;
    QString fixedDate; // empty: updated automatically (today's date)
    bool number = false;
    QString footer;          // empty: no footer
    bool notOnTitle = false; // 标题幻灯片中不显示

    bool operator==(const SlideFooters&) const = default;
};

// The header, date, page number and footer of notes pages and handouts.
struct NotesFooters
{
    QString header; // empty: no header
    bool date = false;
    QString fixedDate;
    bool number = true;
    QString footer;

    bool operator==(const NotesFooters&) const = default;
};

// The smallest and largest slide side of 页面设置 (centimetres).
inline constexpr double kMinSlideSide = 2.54;
inline constexpr double kMaxSlideSide = 142.24;

// 页面设置: the slide's size (centimetres; taller than wide is 纵向) and the first slide's number.
struct PageSetup
{
    double width = 25.4;
    double height = 19.05;
    int firstNumber = 1;
    bool notesLandscape = false;

    bool operator==(const PageSetup&) const = default;
};

// 幻灯片浏览 shows slides at this zoom (%) until 显示比例 sets another.
inline constexpr int kSorterOwnZoom = 66;

// What the window shows besides the slide (视图 → 标尺, 工具 → 选项 → 视图).
struct WindowOptions
{
    bool statusBar = true;
    bool rulers = false;
    bool verticalRuler = true; // the vertical ruler, while rulers show
    int zoom = 0;              // the slide pane's zoom in %; 0 = 适应 (fit)
    int sorterZoom = 0;        // 幻灯片浏览's zoom in %; 0 = its own (kSorterOwnZoom)
    int notesZoom = 0;         // the notes page's zoom in %; 0 = 适应

    // Toolbars, windows, and whether the presentation and PowerPoint itself are still open.
    QStringList toolbars;       // floating toolbars shown from 视图 → 工具栏, in the order shown
    bool drawingToolbar = true; // the 绘图 toolbar docked at the bottom
    int windows = 1;        // the presentation's windows (窗口 → 新建窗口); the last one is active
    QString arrange;        // 全部重排 or 层叠; empty: the active window fills PowerPoint's
    bool assistant = false; // the Office 助手 stands by the slide
    bool saved = false;     // nothing changed since it was saved: closing it asks nothing
    bool closed = false;    // the presentation is closed: PowerPoint's empty window
    bool exited = false;    // PowerPoint has been closed

    bool operator==(const WindowOptions&) const = default;
};

// 打印预览: what the preview shows and how, as its toolbar and 选项 menu set it.
struct PrintPreview
{
    QString what = QStringLiteral("幻灯片"); // 打印内容: one of printPreviewContents()
    QString color = QStringLiteral("颜色");  // 颜色, 灰度 or 纯黑白
    bool frame = false;                      // 幻灯片加框
    bool fit = false;                        // 根据纸张调整大小
    bool hidden = false;                     // 打印隐藏幻灯片
    bool portrait = true;                    // 纵向 (handouts, notes and outline pages)

    bool operator==(const PrintPreview&) const = default;
};

// The 打印内容 of the preview: 幻灯片, the six handouts, 备注页 and 大纲视图.
const QStringList& printPreviewContents();
// Slides on a handout page of that 打印内容 (讲义(每页 4 张幻灯片) → 4); 0 for other contents.
int handoutSlidesPerPage(const QString& what);

// The numbering styles of 项目符号和编号's 编号 page, and a paragraph's number in one.
const QStringList& numberingStyles();
QString numberLabel(const QString& style, int number);

// A word the spelling checker does not know, and the words it suggests in its place.
struct SpellingError
{
    QString word;
    QStringList suggestions;

    bool operator==(const SpellingError&) const = default;
};

// What the spelling checker finds, and 选项's 拼写 settings that decide whether
// the words are underlined while the text is edited.
struct Spelling
{
    std::vector<SpellingError> errors; // in the order 拼写检查 comes to them
    bool checkAsYouType = true;        // 键入时检查拼写
    bool hideErrors = false;           // 隐藏所有拼写错误

    bool operator==(const Spelling&) const = default;
};

// A custom show (自定义放映): its name and its slides (1-based), in the order it shows them.
struct CustomShow
{
    QString name;
    std::vector<int> slides;

    bool operator==(const CustomShow&) const = default;
};

// What the running slide show's context menu has set: the slide it went to, the pointer and screen.
struct ShowState
{
    int slide = 0;    // the slide 定位至幻灯片 went to (1-based); 0: where the show has got to
    QString pointer;  // 指针选项: 圆珠笔, 毡尖笔 or 荧光笔; empty: the arrow
    QString inkColor; // 墨迹颜色, a colour of the standard palette; empty: the pen's own
    QString screen;   // 屏幕: 黑屏 or 白屏; empty: the slide

    bool operator==(const ShowState&) const = default;
};

// The views of the window: normal, outline, sorter, notes, show and the three master views.
const QStringList& knownViews();

struct Presentation
{
    QString design = QStringLiteral("默认设计模板");
    WindowView view;
    QString taskpane; // empty: no task pane
    QString file;     // the document's name, as the title bar shows it
    int selected = 1;
    std::vector<Slide> slides;
    Slide master; // the slide master, as the master view shows it
    // The title master (插入新标题母版): title slides follow it instead of the slide master.
    std::optional<Slide> titleMaster;

    // Headers and footers, page setup, window options and the notes master.
    SlideFooters footers;
    NotesFooters notesFooters;
    PageSetup page;
    WindowOptions window;
    Slide notesMaster; // its bodyFont is the notes' text
    PrintPreview printPreview;

    Spelling spelling;
    std::vector<CustomShow> customShows;
    bool showMarkup = true; // 审阅's 显示/隐藏标记: the comments' markers show
    ShowState show;

    bool operator==(const Presentation&) const = default;
};

// Slides on a page of the handout master: as its layout buttons set it (the master's `notes`), 1 to 9,
// else 6.
int handoutMasterSlidesPerPage(const Presentation& presentation);

struct MovieStep
{
    QString hint;
    QString caption; // the demonstration's words for the step
    QStringList accept;
    QJsonObject set;
    // "block" or "block/chain": consecutive steps naming one block may be done in any order,
    // except that the steps naming one chain of it keep theirs.
    QString anyOrder;
    // The stem names the route ("利用“格式”工具栏…", "利用快捷菜单…"): only the step's own actions take
    // it, not the other commands that open the same thing nor other ways.
    bool routeNamed = false;
    // Where the step is in its movie file (1-based lines; 0 when not read from a file).
    int line = 0;
    std::vector<int> acceptLines; // the line of each accepted action

    QString anyOrderBlock() const { return anyOrder.section(u'/', 0, 0); }
    QString anyOrderChain() const { return anyOrder.section(u'/', 1); }
};

// Another whole way of doing a run of a movie's steps (the 格式 toolbar in
// place of 格式 → 字体...): steps of its own that leave the presentation as the
// run leaves it.
struct MovieWay
{
    QString name;
    int from = 0;  // the run's first step (0-based)
    int count = 1; // how many steps the run has
    std::vector<MovieStep> steps;
    int line = 0;
};

struct Movie
{
    QString file = QStringLiteral("演示文稿1");
    Presentation presentation;
    std::vector<MovieStep> steps;
    std::vector<MovieWay> ways; // the other ways of its runs of steps
    QString result;
    // What the learner sees change in the window once the task is done; or,
    // for a task whose result the real program's window does not show either,
    // why not. A movie has one of the two.
    QString shows;
    QString unseen;
    bool completion = false; // the completion movie shown after a task is done
    QString completionText;
    QString source; // the file's name as messages give it ("…/1.movie"), empty when not read
};

// The text paragraphs a slide shows under its title in the outline: the body
// lines (a leading tab per level below the first), or the subtitle of a title slide.
QStringList outlineParagraphs(const Slide& slide);

// A slide as the window shows it: the fonts, background and colour scheme it
// does not set come from its master, and the master's own objects (unless it
// ignores the master's graphics) lie under its own.
Slide slideAsShown(const Presentation& presentation, const Slide& slide);
// The colours of a scheme by the names a font's colour may give them.
const QStringList& schemeColorNames();
// The names a movie may give a background's fill effect.
const QStringList& knownTextures();
const QStringList& knownPatterns();
const QStringList& knownGradientPresets();
const QStringList& knownGradientStyles();
// The frames a 相册 puts its pictures in (its 相框形状).
const QStringList& knownPictureFrames();

// Reads a movie document. The error says what is wrong and where, as
// "source:line: …": `source` names the document (its file), the line is the
// offending item's. Every slide and shape that a step's actions or changes
// name must exist when the step comes, along the demonstration's way. A
// movie may say what its result shows or why it shows nothing, not both.
Result<Movie> parseMovie(const QByteArray& bytes, const QString& source = QStringLiteral("movie"));
Result<Movie> loadMovieFile(const QString& path);

// Applies a step's changes (or a slide description) to a presentation: all of
// them, or, when one cannot apply, none. The presentation keeps at least one
// slide and at most kMaxMovieSlides, and its selected slide is one of them.
Status applyPresentationChanges(Presentation& presentation, const QJsonObject& changes);
Status mergeSlide(Slide& slide, const QJsonObject& fields, const QString& where);

// Where a 叠放次序 command ("置于顶层", "下移一层" …) moves the object at
// `from` among `count` (0-based, bottom first).
int restackedIndex(const QString& order, int from, int count);

} // namespace pptdrill
