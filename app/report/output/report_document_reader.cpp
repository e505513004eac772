#include "report/output/report_document_reader.h"

#include <cstring>
#include <limits>
#include <new>

const char* ReportDocumentCheckMessageKey(ReportDocumentCheck check)
{
    switch (check) {
    case ReportDocumentCheck::UnknownFormat:
        return "REPORT_UNKNOWNFORMAT";
    case ReportDocumentCheck::InvalidVersion:
        return "REPORT_INVALIDVERSION";
    case ReportDocumentCheck::Valid:
        break;
    }
    return nullptr;
}

ReportDocumentCheck ReportDocumentReader::Check()
{
    position_ = 0;
    damaged_ = false;
    if (size_ < ReportDocumentHeaderSize || !HasDocumentMagic(data_))
        return ReportDocumentCheck::UnknownFormat;
    DecodeDocumentHeader(data_, header_);
    if (header_.version != ReportDocumentVersion)
        return ReportDocumentCheck::InvalidVersion;
    position_ = ReportDocumentHeaderSize;
    styleRecords_ = 0;
    for (ReportStyle& style : styles_)
        style = ReportStyle();
    while (Has(ReportStyleRecordSize) && data_[position_] == RecordStyle) {
        if (styleRecords_ < ReportStyleCount)
            DecodeStyle(data_ + position_, styles_[styleRecords_]);
        ++styleRecords_;
        position_ += ReportStyleRecordSize;
    }
    bodyStart_ = position_;
    return ReportDocumentCheck::Valid;
}

const ReportStyle& ReportDocumentReader::Style(std::uint8_t index) const
{
    return styles_[index < ReportStyleCount ? index : 0];
}

void ReportDocumentReader::Seek(std::size_t position)
{
    position_ = position < size_ ? position : size_;
}

bool ReportDocumentReader::TakeText(std::string_view& text)
{
    if (position_ >= size_)
        return false;
    const auto* start = data_ + position_;
    const void* zero = std::memchr(start, 0, size_ - position_);
    if (zero == nullptr)
        return false;
    const std::size_t length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - start);
    text = std::string_view(reinterpret_cast<const char*>(start), length);
    position_ += length + 1;
    return true;
}

bool ReportDocumentReader::End(ReportRecord& record, bool damaged)
{
    record.kind = ReportRecordKind::End;
    damaged_ = damaged_ || damaged;
    // The end stays the end: a record cut short is never read again as something else.
    position_ = size_;
    return false;
}

bool ReportDocumentReader::Next(ReportRecord& record)
{
    record.offset = position_;
    record.text = std::string_view();
    if (position_ >= size_)
        return End(record, false);
    const std::uint8_t code = data_[position_];
    record.code = code;

    if (code >= FirstTextByte) {
        // Characters up to the next byte below 30; their zero, when that is the byte, belongs to them.
        std::size_t end = position_;
        while (end < size_ && data_[end] >= FirstTextByte)
            ++end;
        record.kind = ReportRecordKind::Text;
        record.text = std::string_view(reinterpret_cast<const char*>(data_ + position_), end - position_);
        position_ = end < size_ && data_[end] == RecordEnd ? end + 1 : end;
        return true;
    }

    switch (code) {
    case RecordEnd:
        return End(record, false);
    case RecordTextRun:
    case RecordParagraphText:
        if (!Has(TextRunHeaderSize))
            return End(record, true);
        DecodeTextRunHeader(data_ + position_, record.run);
        position_ += TextRunHeaderSize;
        if (!TakeText(record.text))
            return End(record, true);
        record.kind = code == RecordTextRun ? ReportRecordKind::TextRun : ReportRecordKind::ParagraphText;
        return true;
    case RecordTable: {
        if (!Has(TableHeaderSize))
            return End(record, true);
        record.table = TableHeader();
        DecodeTableHeader(data_ + position_, record.table);
        if (record.table.columns == 0 || record.table.columns > TableColumnCapacity ||
            !Has(TableRecordSize(record.table.columns)))
            return End(record, true);
        DecodeTableWidths(data_ + position_, record.table);
        position_ += TableRecordSize(record.table.columns);
        record.kind = ReportRecordKind::Table;
        return true;
    }
    case RecordCell:
        if (!Has(CellRecordSize))
            return End(record, true);
        record.background = DecodeCell(data_ + position_);
        position_ += CellRecordSize;
        record.kind = ReportRecordKind::Cell;
        return true;
    case RecordDrawing: {
        if (!Has(2))
            return End(record, true);
        const std::size_t length = DrawingRecordSize(data_[position_ + 1]);
        if (length == 0)
            break;
        if (!Has(length))
            return End(record, true);
        record.drawing = DrawingRecord();
        DecodeDrawing(data_ + position_, record.drawing);
        position_ += length;
        if ((record.drawing.kind == DrawTextBox || record.drawing.kind == DrawSector) && !TakeText(record.text))
            return End(record, true);
        record.kind = ReportRecordKind::Drawing;
        return true;
    }
    case RecordPicture:
        if (!Has(PictureHeaderSize))
            return End(record, true);
        DecodePictureHeader(data_ + position_, record.picture);
        position_ += PictureHeaderSize;
        if (!TakeText(record.text) || !Has(record.picture.imageSize))
            return End(record, true);
        record.image = data_ + position_;
        position_ += record.picture.imageSize;
        record.kind = ReportRecordKind::Picture;
        return true;
    case RecordTitle:
        if (!Has(TitleRecordSize))
            return End(record, true);
        DecodeTitle(data_ + position_, record.title);
        position_ += TitleRecordSize;
        record.kind = ReportRecordKind::Title;
        return true;
    case RecordIndexEntry:
        if (!Has(IndexEntryHeaderSize))
            return End(record, true);
        DecodeIndexEntry(data_ + position_, record.index);
        position_ += IndexEntryHeaderSize;
        if (!TakeText(record.text))
            return End(record, true);
        record.kind = ReportRecordKind::IndexEntry;
        return true;
    case RecordChart:
        if (!Has(ChartHeaderSize))
            return End(record, true);
        DecodeChartHeader(data_ + position_, record.chart);
        position_ += ChartHeaderSize;
        record.kind = ReportRecordKind::Chart;
        return true;
    case RecordChartPoint:
        if (!Has(ChartPointSize))
            return End(record, true);
        DecodeChartPoint(data_ + position_, record.point);
        position_ += ChartPointSize;
        record.kind = ReportRecordKind::ChartPoint;
        return true;
    case RecordPictureEnd:
        ++position_;
        record.kind = ReportRecordKind::PictureEnd;
        return true;
    case RecordTableEnd:
        ++position_;
        record.kind = ReportRecordKind::TableEnd;
        return true;
    case RecordChartEnd:
        ++position_;
        record.kind = ReportRecordKind::ChartEnd;
        return true;
    case RecordLineFeed:
    case RecordNewLine:
    case RecordNewPage:
    case RecordCarriageReturn:
    case RecordNewParagraph:
        ++position_;
        record.kind = ReportRecordKind::Layout;
        return true;
    default:
        break;
    }
    ++position_;
    record.kind = ReportRecordKind::Unknown;
    return true;
}

bool ReportDocumentFile::Open(const std::string& path)
{
    data_ = nullptr;
    size_ = 0;
    copy_.clear();
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::Read;
    options.share = platform::FileShare::Read;
    options.mapReads = true;
    file_ = platform::File::Open(path, options);
    if (!file_.IsOpen())
        return false;
    const std::int64_t size = file_.Size();
    if (size < 0 || static_cast<std::uint64_t>(size) > std::numeric_limits<std::size_t>::max())
        return false;
    size_ = static_cast<std::size_t>(size);
    if (size_ == 0)
        return true;
    data_ = file_.ReadView(0, size_);
    if (data_ != nullptr)
        return true;
    try {
        copy_.resize(size_);
    } catch (const std::bad_alloc&) {
        size_ = 0;
        return false;
    }
    if (file_.ReadAt(0, copy_.data(), size_) != size) {
        copy_.clear();
        size_ = 0;
        return false;
    }
    data_ = copy_.data();
    return true;
}
