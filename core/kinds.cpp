#include "core/kinds.h"

namespace veq::records {

Entry decodePartId(const std::uint8_t* record, ConversionBuffer& buf)
{
    groupToBuf(record, buf);
    return partIdText(buf);
}

void encodePartId(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record)
{
    StrToBytes(entry, buf);
    bufToGroup(buf, record);
}

Entry decodeExcept(const std::uint8_t* record, ConversionBuffer& buf)
{
    const Entry left = decodePartId(record, buf);
    return exceptPairText(left, decodePartId(record + 4, buf));
}

void encodeExcept(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record)
{
    encodePartId(entry.substr(0, kPartIdLength), buf, record);
    encodePartId(tailOf(entry, kPartIdLength), buf, record + 4);
}

// The three bytes between plane and squad are read past and written as 00.
Entry decodePlaneSq(const std::uint8_t* record, ConversionBuffer& buf)
{
    buf[1] = record[0];
    buf[0] = record[4];
    return planeSqText(buf[1], buf[0]);
}

void encodePlaneSq(std::string_view entry, ConversionBuffer& buf, std::uint8_t* record)
{
    PlaneSqStrToBytes(entry, buf);
    record[0] = buf[1];
    record[4] = buf[0];
}

} // namespace veq::records
