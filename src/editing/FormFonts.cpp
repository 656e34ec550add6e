#include "editing/FormFonts.h"

#include "ui/FormFont.h"

QFont CaptionFont()
{
    return FormFont(8.25, true);
}

QFont ListFont()
{
    return FormFont(9.75, false);
}
