#include "image/flash_image.h"

#include "common/c_number.h"
#include "common/format.h"

namespace velk {

std::uint32_t ConvertHexField(std::string_view text)
{
    return static_cast<std::uint32_t>(ParseHex("0x" + std::string(text)));
}

MultipleImageForm DefaultMultipleImageForm()
{
    MultipleImageForm form;
    form.images[0] = {FlashImageKind::Application, {}, 0x7FF60000, 0x7FFF0000};
    form.images[1] = {FlashImageKind::Resource, {}, 0x7FF20000, 0x7FF60000};
    form.images[2] = {FlashImageKind::Sdb, {}, 0x7FF10000, 0x7FF20000};
    return form;
}

std::string UrtGeneratedText(const std::filesystem::path& output)
{
    return Format("%s \nfile is generated successfully.", output.string().c_str());
}

}  // namespace velk
