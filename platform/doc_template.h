#pragma once

#include <QString>
#include <QStringList>

// The strings of a document template: one resource string whose fields are
// separated by newlines, in the framework's order.
class CDocTemplate
{
public:
    enum DocStringIndex {
        windowTitle, // shown after the document's title in the main window's caption
        docName, // the title of a document without a file
        fileNewName,
        filterName, // the file dialogs' filter, such as "Pemblo files (*.lsq)"
        filterExt, // the extension a file name gets when it has none, such as ".lsq"
        regFileTypeId,
        regFileTypeName,
    };

    explicit CDocTemplate(const QString &templateString);

    // The field, or an empty string when the template string has none.
    QString GetDocString(DocStringIndex index) const;

private:
    QStringList m_fields;
};
