#include "ClassDialogs.h"

#include "PageMenu.h"
#include "Settings.h"
#include "Tamsel.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

#include <qrencode.h>

#include <memory>

namespace {

const QString kTeachers = QStringLiteral("class/teachers");
const QString kPupils = QStringLiteral("class/pupils");
const QString kPage = QStringLiteral("class/page");
const QString kSocket = QStringLiteral("class/socket");
const QString kUser = QStringLiteral("class/user");
// The project's broker on this machine (broker/tamsel-class.conf).
const QString kLocalTeachers = QStringLiteral("localhost:1884");
const QString kLocalPupils = QStringLiteral("localhost:1883");
const QString kLocalSocket = QStringLiteral("ws://localhost:8083/");
constexpr int kQrModulePx = 8;
constexpr int kQrBorderModules = 2;
constexpr int kCodePointSize = 64;

// A QR code of the text, black on white with its quiet zone; null when it cannot hold the text.
QImage qrImage(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1),
                                                          &QRcode_free);
    if (!code)
        return {};
    const int side = code->width + 2 * kQrBorderModules;
    QImage image(side, side, QImage::Format_Mono);
    image.fill(0);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                image.setPixel(x + kQrBorderModules, y + kQrBorderModules, 1);
    return image.scaled(side * kQrModulePx, side * kQrModulePx);
}

} // namespace

ClassDialogs::ClassDialogs(Tamsel &window, const Settings &settings)
    : QObject(&window), m_window(window), m_settings(settings), m_session(window.lesson())
{
    connect(window.pageMenu(), &PageMenu::shareClassRequested, this, &ClassDialogs::share);
    connect(window.pageMenu(), &PageMenu::joinClassRequested, this, &ClassDialogs::join);
    connect(&m_session, &ClassSession::status, this, [this](const QString &line) {
        if (m_session.room().role() == core::ClassRoom::Role::None)
            m_window.followInk(nullptr);
        if (!line.isEmpty())
            m_window.pageMenu()->notify(line);
    });
    connect(&m_session, &ClassSession::ended, this, [this] {
        m_window.followInk(nullptr);
        m_window.pageMenu()->notify(tr("授業が終わりました。自分の書き込みはこの端末に残っています。"));
    });
    connect(&m_session, &ClassSession::teacherInk, &window, &Tamsel::showFollowedInk);
}

std::optional<ClassSession::Broker> ClassDialogs::broker(const QString &key, const QString &fallback)
{
    const QString text = m_settings.text(key).value_or(fallback);
    std::optional<ClassSession::Broker> read = ClassSession::Broker::read(text);
    if (!read)
        m_window.pageMenu()->notify(tr("設定の %1 はサーバーの HOST:PORT ではありません: %2").arg(key, text.left(80)));
    return read;
}

QString ClassDialogs::pupilAddress(const QString &code) const
{
    QUrl page(m_settings.text(kPage).value_or(QString()));
    const QString socket = m_settings.text(kSocket).value_or(kLocalSocket);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("class"), code);
    if (QUrl(socket).isValid())
        query.addQueryItem(QStringLiteral("broker"), socket);
    page.setQuery(query);
    page.setFragment({});
    return page.toString(QUrl::FullyEncoded);
}

void ClassDialogs::share()
{
    const std::optional<ClassSession::Broker> teachers = broker(kTeachers, kLocalTeachers);
    if (!teachers)
        return;
    bool ok = false;
    const QString user = m_settings.text(kUser).value_or(QStringLiteral("teacher"));
    const QString password = QInputDialog::getText(&m_window, tr("授業を共有"), tr("%1 のパスワード").arg(user),
                                                   QLineEdit::Password, {}, &ok);
    if (!ok)
        return;
    const QString code = m_session.teach(*teachers, user, password);
    if (code.isEmpty()) {
        m_window.pageMenu()->notify(m_session.problem());
        return;
    }
    showCode(code);
}

// The code large enough for the back row, and the QR code a pupil's tablet opens.
void ClassDialogs::showCode(const QString &code)
{
    auto *dialog = new QDialog(&m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("授業を共有"));
    auto *layout = new QVBoxLayout(dialog);
    auto *codeLabel = new QLabel(code, dialog);
    QFont big = codeLabel->font();
    big.setPointSize(kCodePointSize);
    codeLabel->setFont(big);
    codeLabel->setAlignment(Qt::AlignCenter);
    codeLabel->setAccessibleName(tr("クラスのコード"));
    layout->addWidget(codeLabel);
    const QString address = pupilAddress(code);
    const QImage qr = qrImage(address);
    if (!qr.isNull() && !m_settings.text(kPage).value_or(QString()).isEmpty()) {
        auto *qrLabel = new QLabel(dialog);
        qrLabel->setPixmap(QPixmap::fromImage(qr));
        qrLabel->setAlignment(Qt::AlignCenter);
        qrLabel->setAccessibleName(tr("参加用の QR コード"));
        layout->addWidget(qrLabel);
        auto *addressLabel = new QLabel(address, dialog);
        addressLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(addressLabel);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->open();
}

void ClassDialogs::join()
{
    const std::optional<ClassSession::Broker> pupils = broker(kPupils, kLocalPupils);
    if (!pupils)
        return;
    bool ok = false;
    const QString code = QInputDialog::getText(&m_window, tr("授業に参加"), tr("クラスのコード"), QLineEdit::Normal, {}, &ok);
    if (!ok)
        return;
    const QString name = QInputDialog::getText(&m_window, tr("授業に参加"), tr("番号かニックネーム"), QLineEdit::Normal, {}, &ok);
    if (!ok)
        return;
    if (!m_session.join(*pupils, code, name)) {
        m_window.pageMenu()->notify(m_session.problem());
        return;
    }
    // Only a pupil's screen shows the teacher's ink, so only it pays for the layer.
    m_window.followInk(&m_session.room().teacher().lesson().ink());
}
