#include "platform/doc_template.h"

CDocTemplate::CDocTemplate(const QString &templateString)
    : m_fields(templateString.split(QLatin1Char('\n')))
{
}

QString CDocTemplate::GetDocString(DocStringIndex index) const
{
    return m_fields.value(index);
}
