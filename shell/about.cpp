#include "shell/about.h"

#include "common/programinfo.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString aboutText(const QString& databasePath)
{
    return u"朔禾职称计算机考试练习系统\n"
           u"版本 %1\n\n"
           u"职称计算机考试 PowerPoint 2003 模块的模拟练习。\n\n"
           u"本软件是自由软件，按 GNU 通用公共许可证第 3 版或（由您选择）任何更新的版本（%2）发布："
           u"学校和个人可以在任意多台电脑上安装、复制和分发，也可以修改；分发修改后的版本须同样提供源代码。"
           u"本软件不提供任何担保。\n"
           u"Copyright © 2026 %3\n\n"
           u"您的练习记录和错题保存在：\n%4"_s.arg(programVersion(), licenceName(), copyrightHolders(),
                                                   QDir::toNativeSeparators(databasePath));
}

} // namespace pptdrill
