#pragma once

#include "movie/kit/kitcatalog.h"

#include <QByteArray>

namespace pptdrill::test {

// A small kit of our own, so that the engine's tests do not follow every
// change of the shipped kit.
inline QByteArray smallKitJson()
{
    return R"json({
  "menus": [
    { "title": "文件(F)", "items": [
      { "text": "新建(N)...", "shortcut": "Ctrl+N", "opens": "taskpane:新建演示文稿" },
      { "separator": true },
      { "text": "另存为(A)...", "opens": "dialog:另存为" },
      { "text": "向导(W)...", "opens": "dialog:向导" },
      { "text": "发送(D)", "items": [ { "text": "邮件收件人(M)" } ] },
      { "text": "权限(M)", "disabled": true }
    ] },
    { "title": "格式(O)", "items": [
      { "text": "字体(F)...", "opens": "dialog:字体" },
      { "text": "幻灯片版式(L)...", "opens": "taskpane:幻灯片版式" }
    ] },
    { "title": "视图(V)", "items": [ { "text": "幻灯片浏览(D)", "opens": "view:sorter" } ] }
  ],
  "toolbars": { "常用": [ { "name": "新建", "icon": "new" }, { "separator": true }, { "name": "保存", "icon": "save" } ],
                "格式": [ { "name": "字号", "type": "combo", "value": "18", "width": 40,
                                    "items": ["8", "9", "10", "12", "14", "16", "18", "20", "24", "28", "32", "36", "40", "44", "48", "54", "60", "66", "72"] }, { "name": "加粗", "icon": "bold" } ] },
  "contextmenus": { "slide": [ { "text": "幻灯片版式(L)...", "opens": "taskpane:幻灯片版式" } ],
                    "thumbnail": [ { "text": "删除幻灯片(D)" } ] },
  "keys": [ { "key": "Ctrl+B", "name": "加粗" }, { "key": "Shift+Tab", "name": "升级" }, { "key": "Tab", "name": "降级" }, { "key": "Ctrl+T", "name": "字体", "opens": "dialog:字体" } ],
  "taskpanes": {
    "开始工作": { "controls": [ { "type": "link", "id": "新建演示文稿..." } ] },
    "新建演示文稿": { "controls": [ { "type": "link", "id": "空演示文稿" } ] },
    "幻灯片版式": { "controls": [ { "type": "label", "text": "应用幻灯片版式：" },
                                  { "type": "gallery", "id": "版式", "items": ["标题幻灯片", "标题和文本", "标题和竖排文字"], "columns": 2 } ] }
  },
  "dialogs": {
    "字体": { "width": 400, "height": 260, "controls": [
      { "type": "tabs", "items": ["字体", "效果"], "x": 8, "y": 6, "w": 380, "h": 200 },
      { "type": "combo", "id": "字号", "label": "字号(S):", "items": ["18", "20", "24", "28"], "value": "18", "x": 20, "y": 60, "w": 80, "h": 22, "tab": "字体" },
      { "type": "combo", "id": "中文字体", "editable": true, "items": ["宋体", "黑体", "楷体_GB2312"], "value": "宋体", "x": 120, "y": 60, "w": 120, "h": 22, "tab": "字体" },
      { "type": "check", "id": "下划线(U)", "value": false, "x": 20, "y": 100, "w": 120, "h": 20, "tab": "效果" },
      { "type": "button", "id": "更多...", "opens": "dialog:另存为", "x": 135, "y": 220, "w": 75, "h": 23 },
      { "type": "button", "id": "确定", "x": 220, "y": 220, "w": 75, "h": 23 },
      { "type": "button", "id": "取消", "x": 305, "y": 220, "w": 75, "h": 23 }
    ] },
    "向导": { "width": 300, "height": 120, "controls": [
      { "type": "button", "id": "确定", "opens": "dialog:另存为", "x": 120, "y": 80, "w": 75, "h": 23 } ] },
    "另存为": { "width": 500, "height": 300, "controls": [
      { "type": "text", "id": "文件名", "label": "文件名(N):", "value": "演示文稿1", "x": 100, "y": 220, "w": 250, "h": 22 },
      { "type": "combo", "id": "保存类型", "label": "保存类型(T):", "items": ["演示文稿 (*.ppt)", "网页 (*.htm; *.html)"], "value": "演示文稿 (*.ppt)", "x": 100, "y": 250, "w": 250, "h": 22 },
      { "type": "spin", "id": "份数", "value": 1, "min": 1, "max": 9, "x": 20, "y": 20, "w": 60, "h": 22 },
      { "type": "button", "id": "保存(S)", "opens": "close", "x": 380, "y": 220, "w": 75, "h": 23 },
      { "type": "button", "id": "取消", "x": 380, "y": 250, "w": 75, "h": 23 }
    ] }
  }
})json";
}

inline const KitCatalog& smallKit()
{
    static const KitCatalog kit = KitCatalog::parse(smallKitJson()).value();
    return kit;
}

// A task: select slide 2, open the layout pane (menu or context menu), pick a layout.
inline QByteArray layoutMovieJson()
{
    return R"json({
  "format": "pptdrill-movie", "version": 1, "file": "工作总结",
  "presentation": { "taskpane": "开始工作", "slides": [
      { "layout": "标题幻灯片", "title": "年度总结", "subtitle": "2026年" },
      { "title": "主要工作", "body": ["市场", "\t研发"] } ] },
  "steps": [
    { "hint": "单击第2张幻灯片。", "accept": ["thumb:2"] },
    { "hint": "单击“格式”菜单中的“幻灯片版式”。", "accept": ["menu:格式(O)/幻灯片版式(L)...", "context:slide/幻灯片版式(L)..."] },
    { "hint": "单击“标题和竖排文字”。", "accept": ["taskpane:幻灯片版式/版式=标题和竖排文字"], "set": { "layout": "标题和竖排文字" } }
  ],
  "result": "第2张幻灯片的版式已更改。"
})json";
}

} // namespace pptdrill::test
