#pragma once

#include "core/sequence_row.h"
#include "editor/pattern_generators.h"

#include <QDialog>

#include <functional>
#include <vector>

class CPatternPreview;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The Generate window of the LED Editor: a pattern and its parameters, how
// many rows it makes, and a preview of them running on small LEDs. Insert
// puts the rows before the editor's first selected line and closes it.
class CGenerateDlg : public QDialog
{
    Q_OBJECT

public:
    // How many rows the editor's table has free; and inserting rows before
    // its first selected line as one change of this name ("Generate
    // bounce"), false when there is none.
    using FreeRows = std::function<int()>;
    using InsertRows = std::function<bool(const std::vector<SequenceRow> &rows, const QString &changeName)>;

    CGenerateDlg(QWidget *parent, FreeRows freeRows, InsertRows insertRows);

    // The pattern as the controls now give it.
    PatternParameters Parameters() const;
    void OnInsert();

private:
    void BuildControls();
    // Makes the rows anew after any change of the controls.
    void OnParametersChanged();
    // The pattern's rows for the editor's free rows, or none and why not, in
    // the user's language.
    std::vector<SequenceRow> RowsOrRefusal(QString &refusal) const;

    FreeRows m_freeRows;
    InsertRows m_insertRows;

    QComboBox *m_pattern;
    QSpinBox *m_firstChannel;
    QSpinBox *m_lastChannel;
    QSpinBox *m_time;
    QSpinBox *m_repeat;
    QCheckBox *m_reverse;
    QCheckBox *m_shrink;
    QSpinBox *m_share;
    QSpinBox *m_seed;
    QCheckBox *m_fade;
    QSpinBox *m_fadeTime;
    CPatternPreview *m_preview;
    QLabel *m_rowCount;
    QPushButton *m_insert;
};
