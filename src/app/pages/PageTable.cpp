#include "app/pages/PageTable.h"

#include "store/FormTypes.h"

namespace quorvan::app {

PageInfo PageInfoFor(int formType)
{
    PageInfo info;
    const FormTypeRow* row = FindFormType(formType);
    if (!row || !row->treeItem)
        return info;
    info.formType = formType;
    info.layoutNumber = LayoutOf(formType);
    info.focusTag = FocusTagOf(formType);
    info.continuation = row->priorCode == kContinuationTarget;
    info.priorCode = info.continuation ? kNoTarget : row->priorCode;
    info.nextCode = info.continuation ? kNoTarget : row->nextCode;
    info.hasPrior = info.continuation || row->priorCode != kNoPageTarget;
    info.hasNext = info.continuation || row->nextCode != kNoPageTarget;
    info.treeItem = QString::fromLatin1(row->treeItem);
    return info;
}

int PriorCode(int formType, int pageIndex)
{
    const PageInfo info = PageInfoFor(formType);
    if (info.continuation)
        return formType * 100 + pageIndex - 1;
    return info.priorCode;
}

int NextCode(int formType, int pageIndex)
{
    const PageInfo info = PageInfoFor(formType);
    if (info.continuation)
        return formType * 100 + pageIndex + 1;
    return info.nextCode;
}

}  // namespace quorvan::app
