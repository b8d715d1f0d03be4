#pragma once

#include <QImage>
#include <QMenu>

#include <memory>

namespace spinewise {

class StatusItem;

/// Supplies the status item's menu and image. Main thread only.
class StatusItemDatasource {
public:
    virtual ~StatusItemDatasource() = default;

    /// A menu built at this moment, popped up by the item.
    virtual std::unique_ptr<QMenu> menuForStatusItem(StatusItem& item) = 0;
    /// The 22x22 image the item shows.
    virtual QImage imageForStatusItem(StatusItem& item) = 0;

protected:
    StatusItemDatasource() = default;
    StatusItemDatasource(const StatusItemDatasource&) = default;
    StatusItemDatasource& operator=(const StatusItemDatasource&) = default;
};

}  // namespace spinewise
