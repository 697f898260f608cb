// Every list window a scenario opens gets its grid model watched: Qt's model tester in
// fatal mode, and a reader that, like a view, looks at the model whenever it announces a
// change. Until the change's begin signal the model must show what it showed after the
// last change it announced: a catalogue changed before the model was told shows up as
// different captions or cells there (or as a read of freed rows under ASan).
#pragma once

#include "GridModel.h"
#include "ListController.h"
#include "TfmList.h"

#include <QAbstractItemModelTester>

namespace reelkeep::testing {

class ModelContractCheck : public QObject {
public:
    explicit ModelContractCheck(QAbstractItemModel* model) : QObject(model), m_model(model)
    {
        new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::Fatal, this);
        m_shown = read();
        const auto before = [this](const char* signal) {
            return [this, signal] {
                if (read() != m_shown)
                    qFatal("The catalogue changed before the grid model's %s", signal);
            };
        };
        const auto after = [this] { m_shown = read(); };
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, before("modelAboutToBeReset"));
        connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, before("layoutAboutToBeChanged"));
        connect(model, &QAbstractItemModel::modelReset, this, after);
        connect(model, &QAbstractItemModel::layoutChanged, this, after);
        connect(model, &QAbstractItemModel::dataChanged, this, after);
        connect(model, &QAbstractItemModel::headerDataChanged, this, after);
    }

private:
    // The captions, then every cell, depth first.
    QStringList read() const
    {
        QStringList shown;
        for (int c = 0; c < m_model->columnCount(); ++c)
            shown << m_model->headerData(c, Qt::Horizontal).toString();
        readRows({}, shown);
        return shown;
    }
    void readRows(const QModelIndex& parent, QStringList& shown) const
    {
        for (int r = 0; r < m_model->rowCount(parent); ++r) {
            for (int c = 0; c < m_model->columnCount(parent); ++c)
                shown << m_model->index(r, c, parent).data().toString();
            readRows(m_model->index(r, 0, parent), shown);
        }
    }

    QAbstractItemModel* m_model;
    QStringList m_shown;
};

// Watches the window's grid model from now on (once per window).
inline void CheckModelContract(TfmList* list)
{
    GridModel* model = list->controller().model();
    if (!model->findChild<ModelContractCheck*>())
        new ModelContractCheck(model);
}

} // namespace reelkeep::testing
