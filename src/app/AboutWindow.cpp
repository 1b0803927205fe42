#include "app/AboutWindow.h"

#include "app/AboutPictures.h"
#include "common/MessageWindow.h"
#include "common/Prompts.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct Joke {
    int count;
    const char *text;
};

// The picture grows tired of being clicked; the texts stay friendly.
const Joke kJokes[] = {
    {1, "Привет! Это робот Тракмила."},
    {4, "Да-да, это я. Можно не нажимать так часто."},
    {7, "Ты очень любопытный! Это хорошо."},
    {10, "Десять нажатий. Может, лучше напишем алгоритм?"},
    {15, "Робот начинает немного волноваться."},
    {20, "Двадцать! Робот уже считает вместе с тобой."},
    {25, "Пожалуйста, помедленнее: у робота кружится голова."},
    {30, "Мышке тоже нужен отдых."},
    {40, "Сорок нажатий... Робот тяжело вздыхает."},
    {50, "Полсотни! Ты упорный, а упорство пригодится в программировании."},
    {60, "Робот вежливо просит: хватит, пожалуйста."},
    {70, "Будь это цикл, он бы уже давно закончился."},
    {80, "Робот делает вид, что ничего не замечает."},
    {90, "Девяносто! Кажется, учитель смотрит в твою сторону."},
    {95, "Почти сто. Ты уверен, что это нужно?"},
    {100, "Сто нажатий! Рекорд класса. А теперь — за работу!"},
    {120, "Робот обиделся и отвернулся к стене."},
    {150, "Сто пятьдесят. Кнопка мыши просит пощады."},
    {160, "Всё, робот уходит рисовать без тебя."},
    {200, "Двести?! Вот это терпение. Направь его на алгоритм!"},
    {220, "Робот больше не разговаривает. Закрой окно и пиши программу!"},
};

const char *const kCaptions[AboutPictures::photoCount] = {
    "Робот рисует узор на клетчатом поле: каждый шаг оставляет цветной след.",
    "Кабинет информатики. На доске — первый алгоритм класса.",
    "Вечер над школой. Завтра — новые задачи для робота.",
    "Робот отдыхает после долгого пути по полю.",
};

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    return l;
}

} // namespace

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}

TAboutme::TAboutme(Prompts &prompts, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      prompts_(prompts)
{
    setObjectName(QStringLiteral("Aboutme"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(357, 349);
    setSizeGripEnabled(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(2, 4, 353, 305);

    // Version page
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Версия"));

    Panel1 = new QFrame(TabSheet1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 0, 345, 272);

    Image1 = new ClickableLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(12, 12, 96, 96);
    Image1->setPixmap(AboutPictures::program(96));
    connect(Image1, &ClickableLabel::clicked, this, &TAboutme::imageClicked);

    productName = label(Panel1, QStringLiteral("Тракмил"), QRect(124, 14, 200, 36), "productName");
    QFont big = productName->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    productName->setFont(big);
    productName->setStyleSheet(QStringLiteral("color: #2f5f9e;"));

    label(Panel1, QStringLiteral("Учебная среда для юных\nпрограммистов"), QRect(124, 50, 210, 30),
          "subtitle");
    versionLabel = label(Panel1, QStringLiteral("Версия"), QRect(124, 88, 50, 16), "versionLabel");
    vers = label(Panel1, QString(), QRect(176, 88, 150, 16), "vers");
    QFont bold = vers->font();
    bold.setBold(true);
    vers->setFont(bold);

    auto *rule = new QFrame(Panel1);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(12, 120, 321, 2);

    feedbackPicture = label(Panel1, QString(), QRect(16, 136, 32, 32), "feedbackPicture");
    feedbackPicture->setPixmap(AboutPictures::envelope(32));
    feedback = label(Panel1,
                     QStringLiteral("Отзывы и предложения:\nрасскажите о них учителю информатики\n"
                                    "или запишите в журнал кабинета."),
                     QRect(60, 130, 275, 48), "feedback");
    supportPicture = label(Panel1, QString(), QRect(16, 196, 32, 32), "supportPicture");
    supportPicture->setPixmap(AboutPictures::lifebuoy(32));
    support = label(Panel1,
                    QStringLiteral("Поддержка:\nзагляните в справку (F1) или спросите\n"
                                   "учителя на уроке."),
                    QRect(60, 190, 275, 48), "support");

    // Photo page
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Фото"));
    for (int i = 0; i < AboutPictures::photoCount; ++i) {
        f[i] = label(TabSheet2, QString(), QRect(6, 6, 331, 186), "");
        f[i]->setObjectName(QStringLiteral("f%1").arg(i + 1));
        f[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        f[i]->setPixmap(AboutPictures::photo(i, 331, 186));
        f[i]->setVisible(i == 0);
    }
    Memo1 = new QPlainTextEdit(TabSheet2);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(6, 198, 331, 40);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Button3 = new QPushButton(QStringLiteral("Далее >"), TabSheet2);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(254, 244, 83, 25);
    connect(Button3, &QPushButton::clicked, this, &TAboutme::nextPhoto);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(141, 316, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    // Creation: the version, the captions, the first page.
    vers->setText(QStringLiteral("1.10 от 10.01.2007"));
    for (const char *c : kCaptions) captions_ << QString::fromUtf8(c);
    PageControl1->setCurrentIndex(0);
}

void TAboutme::showAbout()
{
    if (isVisible()) return;
    exec();
}

QString TAboutme::clickText(int count)
{
    for (const Joke &j : kJokes)
        if (j.count == count) return QString::fromUtf8(j.text);
    return QString();
}

QString TAboutme::osFamilyText(bool ntFamily)
{
    return ntFamily ? QStringLiteral("Windows NT/2000/XP") : QStringLiteral("Windows 95/98");
}

int TAboutme::visiblePhoto() const
{
    for (int i = 0; i < AboutPictures::photoCount; ++i)
        if (!f[i]->isHidden()) return i;
    return -1;
}

void TAboutme::showPhoto(int index)
{
    for (int i = 0; i < AboutPictures::photoCount; ++i) f[i]->setVisible(i == index);
    Memo1->clear();
    Memo1->setPlainText(captions_.value(index));
}

void TAboutme::nextPhoto()
{
    const int current = visiblePhoto();
    showPhoto(current < 0 ? 0 : (current + 1) % AboutPictures::photoCount);
}

void TAboutme::imageClicked()
{
    // Counting stops at the last threshold so the counter cannot wrap however long
    // someone keeps clicking.
    if (clicks_ > kJokes[std::size(kJokes) - 1].count) return;
    ++clicks_;
    const QString text = clickText(clicks_);
    if (!text.isEmpty()) prompts_.message(text);
}

void TAboutme::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        clicks_ = 0;
        Panel1->resize(345, Panel1->height());
        showPhoto(0);
        PageControl1->setCurrentIndex(0);
        centreOnParent(this);
    }
    QDialog::showEvent(event);
}

void TAboutme::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the window's own free area answers; double-clicks on controls are theirs.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        event->accept();
        prompts_.message(osFamilyText(isNtFamily()));
        return;
    }
    QDialog::mouseDoubleClickEvent(event);
}
