#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QValidator>

#include "channels/CellRules.h"

class QComboBox;
class QLineEdit;
class QWidget;

// Refuses typing beyond a limit in bytes as the radio stores the text (GBK, two bytes a
// Chinese character: GbkLength of the core, and for names its kNameEditorLimit). A longer text
// set by the program (an 8-byte name from a radio) is kept, and may still be shortened.
class CByteLimitValidator : public QValidator {
    Q_OBJECT
public:
    CByteLimitValidator(int limit, QLineEdit* edit);
    State validate(QString& input, int& pos) const override;
    static int ByteLength(const QString& text);
    // The program set this text: it may stay as long as it is, and shrink.
    void AllowText(const QString& text);

private:
    int m_nLimit;
    int m_nAllowed;
};

// The nine floating editors of the channel grid, created hidden over the grid's cells.
class CCellEditors : public QObject {
    Q_OBJECT
public:
    explicit CCellEditors(QWidget* parent);

    // Null for the "More" column, whose editor is the grid itself.
    QWidget* Editor(ECellEditor kind) const;
    QLineEdit* FrequencyEdit() const { return m_pFrequency; }
    QLineEdit* NameEdit() const { return m_pName; }
    QComboBox* Combo(ECellEditor kind) const;
    const QList<QWidget*>& All() const { return m_editors; }
    // The editor's kind, or Grid for any other widget.
    ECellEditor KindOf(const QObject* widget) const;

    // A cell is entered: the editor takes the text the core chose for it (EditorTextForCell),
    // which a list selects.
    void Load(ECellEditor kind, const QString& editorText);
    QString Text(ECellEditor kind) const;
    void SetText(ECellEditor kind, const QString& text);
    void HideAll();

    static int ControlId(ECellEditor kind);

private:
    QLineEdit* m_pFrequency;
    QLineEdit* m_pName;
    CByteLimitValidator* m_pFrequencyLimit;
    CByteLimitValidator* m_pNameLimit;
    QComboBox* m_combos[7];
    QList<QWidget*> m_editors;
};
