// Sample-data generator: writes an active-taxpayer archive (AT00yy.zip) and a return archive
// (RT00yy.zip) of a fictional state in the formats the capture reads, the same for the same seed.
//   gerador --out DIR [--seed N] [--municipios N] [--contribuintes N] [--entrega P] [--ano AAAA]
//           [--definitivo]
// "contribuintes" is per municipality; about P% of them (default 85) deliver a declaration. The
// files are written line by line, so a whole state's files need little memory.

#include "shell/win1252.h"
#include "shell/zipengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>

namespace
{

class Linha
{
  public:
    explicit Linha(int n = 0) : m_l(n, u' ') {}
    Linha &poe(int pos, const QString &v)
    {
        if (m_l.size() < pos - 1 + v.size())
            m_l.resize(pos - 1 + v.size(), u' ');
        m_l.replace(pos - 1, v.size(), v);
        return *this;
    }
    const QString &texto() const { return m_l; }

  private:
    QString m_l;
};

// Writes Windows-1252 lines ending in CR LF, buffered.
class Saida
{
  public:
    explicit Saida(const QString &caminho) : m_f(caminho)
    {
        if (!m_f.open(QIODevice::WriteOnly))
            throw std::runtime_error("não foi possível gravar " + caminho.toStdString());
    }
    void operator<<(const Linha &l)
    {
        m_buf += Win1252::encode(l.texto());
        m_buf += "\r\n";
        ++m_linhas;
        if (m_buf.size() > (1 << 20))
            descarrega();
    }
    qint64 fecha()
    {
        descarrega();
        m_f.close();
        return m_linhas;
    }

  private:
    void descarrega()
    {
        m_f.write(m_buf);
        m_buf.clear();
    }
    QFile m_f;
    QByteArray m_buf;
    qint64 m_linhas = 0;
};

QString num(qint64 v, int largura)
{
    return QStringLiteral("%1").arg(v, largura, 10, QLatin1Char('0'));
}

// Amounts of the return file: sign, digits and a decimal comma, 15 characters.
QString valor(double v, int largura = 15)
{
    const QString a = QString::number(std::fabs(v), 'f', 2).replace(u'.', u',');
    return v < 0 ? u'-' + a.rightJustified(largura - 1, u'0') : a.rightJustified(largura, u'0');
}
// Amounts the database converts itself (decimal point).
QString valorPonto(double v)
{
    const QString a = QString::number(std::fabs(v), 'f', 2);
    return v < 0 ? u'-' + a.rightJustified(14, u'0') : a.rightJustified(15, u'0');
}
QString data(int dia, int mes, int ano)
{
    return num(dia, 2) + num(mes, 2) + num(ano, 4);
}

const QStringList kNomes = {
    "MERCADO",     "PADARIA",      "FARMÁCIA",   "AÇOUGUE",    "POSTO",      "MATERIAIS DE CONSTRUÇÃO",
    "RESTAURANTE", "TRANSPORTES",  "LATICÍNIOS", "CONFECÇÕES", "AUTO PEÇAS", "DISTRIBUIDORA",
    "PAPELARIA",   "SUPERMERCADO", "CERÂMICA",   "SERRARIA",   "MADEIREIRA", "ARMAZÉM",
    "FRIGORÍFICO", "VIDRAÇARIA"};
const QStringList kSobrenomes = {"SÃO JOÃO",   "BOA VISTA", "DO CENTRO",  "SILVA",      "OLIVEIRA",
                                 "SANTOS",     "PEREIRA",   "ALMEIDA",    "NOVA ERA",   "ESPERANÇA",
                                 "DAS FLORES", "CONCEIÇÃO", "IPÊ",        "VALE VERDE", "SANT'ANA",
                                 "GONÇALVES",  "ARAÚJO",    "BELA VISTA", "PRIMAVERA",  "TRÊS IRMÃOS"};
const QStringList kPessoas = {"JOSÉ", "MARIA",     "JOÃO",  "ANTÔNIO",   "FRANCISCA", "ANA",
                              "LUÍS", "CONCEIÇÃO", "PAULO", "SEBASTIÃO", "RAIMUNDA",  "FÁTIMA"};
const QStringList kRuas = {
    "DAS ACÁCIAS",   "SETE DE SETEMBRO",    "TIRADENTES",       "DOM PEDRO II",  "DAS PALMEIRAS",
    "SANTOS DUMONT", "BARÃO DO RIO BRANCO", "JOÃO PESSOA",      "DA CONCEIÇÃO",  "QUINZE DE NOVEMBRO",
    "DOS IPÊS",      "GETÚLIO VARGAS",      "MARECHAL DEODORO", "DAS MANGUEIRAS"};
const QStringList kBairros = {"CENTRO",     "VILA NOVA",     "JARDIM AMÉRICA", "SÃO CRISTÓVÃO",
                              "INDUSTRIAL", "BOA ESPERANÇA", "ALTO DA SERRA",  "SANTA LÚCIA"};
const QStringList kCnae = {"4711302", "4712100", "4721102", "4731800", "4744005", "5611201", "4930202",
                           "0151201", "1052000", "4771701", "1091101", "4623101", "4618499", "1610203"};
const QStringList kCargos = {"SÓCIO-GERENTE", "CONTADOR", "ADMINISTRADOR", "PROPRIETÁRIO", "DIRETOR"};
// record 03 codes of the complete form (results, expenses, others) and of the simplified one
const int kCodigosDro[] = {18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28};
const int kCodigosDo[] = {29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43};
const int kCodigosCompleta[] = {400, 401, 463, 464, 465, 466, 467, 468, 469, 470, 471, 472, 473};
const int kCodigosSimplificada[] = {401, 453, 454, 455, 456, 457, 458, 459,
                                    460, 461, 462, 463, 464, 465, 474};
const int kCodigos06[] = {404, 405, 406, 407, 408, 409, 410, 411, 412,
                          413, 414, 415, 416, 427, 431, 433, 434};
const int kCodigos09[] = {55,  56,  57,  58,  59,  60,  61,  63,  64,  65,  66,  67,  68,  69,
                          71,  72,  73,  74,  75,  76,  151, 152, 153, 154, 155, 156, 157, 159,
                          160, 161, 162, 163, 164, 165, 167, 168, 169, 170, 171, 172};
const int kErrosRecusa[] = {1, 3, 6, 13, 14, 15};
const int kErrosAviso[] = {2, 4, 5, 7, 8, 9, 10, 11, 12, 16};

enum class Forma { Completa, Simplificada, Simples };

// What a taxpayer is, drawn from its own generator so that both files agree on it.
struct Contribuinte {
    qint64 id = 0;
    int municipio = 0;
    bool simei = false, entrega = false, ativo = true;
    Forma forma = Forma::Completa;
    QString regime, nome, cnae, rua, bairro;
    double saidas = 0, entradas = 0, outras = 0, vaf = 0;
    double saidasAnt = 0, entradasAnt = 0, outrasAnt = 0, vafAnt = 0;
    int entregas = 0; // 0 accepted at once, 1 refused then accepted, 2 refused only, 3 accepted then refused
                      // substitution
};

template <typename T, size_t N> T sorteia(QRandomGenerator &r, const T (&l)[N])
{
    return l[r.bounded(int(N))];
}

struct Gerador {
    quint32 semente;
    int municipios, porMunicipio, percEntrega, ano;
    bool definitivo;

    QRandomGenerator geradorDe(qint64 id, quint32 salto = 0) const
    {
        return QRandomGenerator(semente * 2654435761u ^ quint32(id * 40503) ^ quint32(id >> 20) ^ salto);
    }
    static QString escolhe(QRandomGenerator &r, const QStringList &l)
    {
        return l.at(int(r.bounded(l.size())));
    }
    static double quantia(QRandomGenerator &r, double max)
    {
        return std::round(r.bounded(max) * 100) / 100.0;
    }

    Contribuinte contribuinte(int m, int i) const
    {
        Contribuinte c;
        c.municipio = m;
        c.id = qint64(m) * 1000000 + i;
        c.ativo = i < porMunicipio;
        QRandomGenerator r = geradorDe(c.id);
        c.nome = escolhe(r, kNomes) + u' ' + escolhe(r, kSobrenomes) +
                 (r.bounded(3) ? QStringLiteral(" LTDA") : QStringLiteral(" ME"));
        c.cnae = escolhe(r, kCnae);
        c.rua = escolhe(r, kRuas);
        c.bairro = escolhe(r, kBairros);
        const int tipo = r.bounded(100);
        c.simei = c.ativo && tipo < 4;
        c.entrega = !c.simei && (!c.ativo || int(r.bounded(100)) < percEntrega);
        const int f = r.bounded(100);
        c.forma = c.simei || f >= 55 ? Forma::Simples : f < 35 ? Forma::Completa : Forma::Simplificada;
        c.regime = c.simei                      ? QStringLiteral("59")
                   : c.forma == Forma::Simples  ? QStringLiteral("58")
                   : c.forma == Forma::Completa ? num(1 + r.bounded(3), 2)
                                                : num(4 + r.bounded(4), 2);
        const double porte = c.forma == Forma::Completa ? 2e7 : 2e6;
        c.saidas = quantia(r, porte);
        c.entradas = quantia(r, c.saidas * (r.bounded(100) < 6 ? 1.4 : 0.9)); // a few with a negative VAF
        c.outras = quantia(r, c.saidas * 0.05);
        c.vaf = std::round((c.saidas - c.entradas - c.outras) * 100) / 100.0;
        const int ant = r.bounded(100);
        if (ant < 5) {        // new taxpayer: nothing the year before
        } else if (ant < 8) { // the same VAF as the year before
            c.saidasAnt = c.saidas, c.entradasAnt = c.entradas, c.outrasAnt = c.outras, c.vafAnt = c.vaf;
        } else {
            const double k = 0.6 + r.bounded(0.8);
            c.saidasAnt = std::round(c.saidas * k * 100) / 100.0;
            c.entradasAnt = std::round(c.entradas * k * 100) / 100.0;
            c.outrasAnt = std::round(c.outras * k * 100) / 100.0;
            c.vafAnt = std::round((c.saidasAnt - c.entradasAnt - c.outrasAnt) * 100) / 100.0;
        }
        const int e = r.bounded(100);
        c.entregas = e < 80 ? 0 : e < 87 ? 1 : e < 92 ? 2 : 3;
        return c;
    }

    // ---- active taxpayers ------------------------------------------------------------------
    void ativos(Saida &s) const
    {
        for (int m = 1; m <= municipios; ++m)
            for (int i = 0; i < porMunicipio; ++i) {
                const Contribuinte c = contribuinte(m, i);
                QRandomGenerator r = geradorDe(c.id, 1);
                Linha x(716);
                x.poe(1, num(c.id, 13))
                    .poe(14, QStringLiteral("VP"))
                    .poe(16, c.nome.leftJustified(60).left(60));
                x.poe(76, QStringLiteral("RU"))
                    .poe(82, c.rua.leftJustified(50))
                    .poe(232, num(r.bounded(2000), 5));
                x.poe(242, QStringLiteral("RUA"))
                    .poe(245, (QStringLiteral("SALA ") + QString::number(r.bounded(30))).leftJustified(34));
                x.poe(293, num(r.bounded(999999), 6))
                    .poe(299, QStringLiteral("VP"))
                    .poe(301, num(r.bounded(99999999), 11));
                x.poe(326, (QStringLiteral("ESCRITÓRIO CONTÁBIL ") + escolhe(r, kSobrenomes)).left(33));
                x.poe(390, QStringLiteral("RUA"))
                    .poe(393, escolhe(r, kRuas).leftJustified(34))
                    .poe(365, num(r.bounded(900), 5));
                x.poe(442, QStringLiteral("31")).poe(444, num(r.bounded(99999999), 9));
                x.poe(461, valorPonto(c.vafAnt)).poe(476, c.regime).poe(488, valorPonto(c.outrasAnt));
                x.poe(510, num(30000000 + m, 7)).poe(517, num(m, 3));
                x.poe(520, c.cnae).poe(527, QStringLiteral("00")).poe(540, QStringLiteral("VP"));
                x.poe(542, QStringLiteral("CAPITAL")).poe(572, QStringLiteral("CENTRO"));
                x.poe(600, c.bairro.left(20)).poe(620, QStringLiteral("contato%1@empresa.com.br").arg(c.id));
                if (r.bounded(100) < 2)
                    x.poe(670, num(1 + (m % municipios), 3));
                x.poe(673, valorPonto(c.entradasAnt))
                    .poe(688, valorPonto(c.saidasAnt))
                    .poe(703, num(10000000000000LL + c.id, 14));
                s << x;
            }
    }

    // ---- return ----------------------------------------------------------------------------
    static Linha cabeca(const char *tipo, const QString &mc, const QString &ie)
    {
        return Linha(18).poe(1, QLatin1String(tipo)).poe(3, mc).poe(6, ie);
    }

    void declaracao(Saida &s, const Contribuinte &c) const
    {
        QRandomGenerator r = geradorDe(c.id, 2);
        const QString mc = num(c.municipio, 3), ie = num(c.id, 13);
        const QString entrega = data(1 + r.bounded(28), 3 + r.bounded(2), ano + 1);
        const QString hora = num(8 + r.bounded(10), 2) + num(r.bounded(60), 2) + num(r.bounded(60), 2);
        const QString protocolo = num(qint64(ano) * 10000000000LL + c.id, 20);
        auto cab = [&](const char *t) { return cabeca(t, mc, ie); };

        s << cab("0A")
                 .poe(19, (QStringLiteral("RUA ") + c.rua + u' ' + QString::number(r.bounded(2000)))
                              .leftJustified(50))
                 .poe(69, c.bairro.leftJustified(20))
                 .poe(89, num(30000000 + c.municipio, 8))
                 .poe(97, QStringLiteral("31"))
                 .poe(99, num(30000000 + r.bounded(9999999), 8))
                 .poe(118, QStringLiteral("fiscal%1@empresa.com.br").arg(c.id).left(35))
                 .poe(153, mc);
        s << cab("0B")
                 .poe(19, QStringLiteral("AV. BRASIL ") + QString::number(r.bounded(3000)))
                 .poe(69, QStringLiteral("CENTRO"))
                 .poe(89, QStringLiteral("30100000"))
                 .poe(97, QStringLiteral("CAPITAL"))
                 .poe(127, QStringLiteral("VP"))
                 .poe(129, QStringLiteral("contabil@escritorio.com.br"));
        s << cab("01")
                 .poe(19, QString::number(ano))
                 .poe(23, c.nome.left(35).leftJustified(35))
                 .poe(58, entrega)
                 .poe(66, hora)
                 .poe(72, entrega)
                 .poe(80, entrega)
                 .poe(88, c.forma == Forma::Completa ? QStringLiteral("1") : QStringLiteral("2"))
                 .poe(89, r.bounded(10) ? QStringLiteral("2") : QStringLiteral("1"))
                 .poe(92, QStringLiteral("N"))
                 .poe(93, QStringLiteral("N"))
                 .poe(94, protocolo)
                 .poe(114, QStringLiteral("N"))
                 .poe(115, c.forma == Forma::Completa ? QStringLiteral("S") : QStringLiteral("N"))
                 .poe(116, c.cnae)
                 .poe(123, QStringLiteral("00"))
                 .poe(125, QStringLiteral("MUNICÍPIO %1").arg(mc).leftJustified(30))
                 .poe(155, QStringLiteral("01"))
                 .poe(157, QStringLiteral("12"))
                 .poe(159, QStringLiteral("000"))
                 .poe(162, c.regime);
        s << cab("02")
                 .poe(19, (escolhe(r, kPessoas) + u' ' + escolhe(r, kSobrenomes)).leftJustified(35))
                 .poe(54, num(r.bounded(99999999) * 1000LL + r.bounded(1000), 11).leftJustified(14))
                 .poe(68, escolhe(r, kCargos).leftJustified(25))
                 .poe(93, QStringLiteral("31"))
                 .poe(95, num(30000000 + r.bounded(9999999), 8))
                 .poe(103, valor(c.entradasAnt))
                 .poe(118, valor(c.saidasAnt))
                 .poe(133, valor(c.outrasAnt))
                 .poe(148, valor(c.vafAnt));

        if (c.forma == Forma::Completa) {
            for (int codigo : kCodigosDro)
                if (r.bounded(3))
                    s << cab("03").poe(19, num(codigo, 3)).poe(22, valor(quantia(r, c.saidas)));
            for (int codigo : kCodigosDo)
                if (r.bounded(2))
                    s << cab("03").poe(19, num(codigo, 3)).poe(22, valor(quantia(r, c.saidas * 0.1)));
            for (int k = 0; k < 2; ++k)
                s << cab("03")
                         .poe(19, num(sorteia(r, kCodigosCompleta), 3))
                         .poe(22, valor(quantia(r, c.saidas * 0.05)));
            for (int codigo = 44; codigo <= 48; ++codigo)
                s << cab("04")
                         .poe(19, num(codigo, 3))
                         .poe(22, valor(quantia(r, 1e6)))
                         .poe(37, valor(quantia(r, 1e6)));
            for (int k = 0; k < 3; ++k)
                s << cab("06")
                         .poe(19, num(sorteia(r, kCodigos06), 3))
                         .poe(22, valor(quantia(r, 1e4)))
                         .poe(37, valor(quantia(r, 1e4)));
            s << cab("06")
                     .poe(19, QStringLiteral("417"))
                     .poe(22, valor(quantia(r, 3e4)))
                     .poe(37, valor(quantia(r, 3e4)));
            for (int k = 0; k < 8; ++k) {
                const double vc = quantia(r, c.saidas * 0.2);
                s << cab("09")
                         .poe(20, num(sorteia(r, kCodigos09) + 24 * int(r.bounded(3)), 3))
                         .poe(23, valor(vc))
                         .poe(38, valor(vc * 0.9))
                         .poe(53, valor(vc * 0.9 * 0.18));
            }
            s << cab("07")
                     .poe(19, valor(c.saidas))
                     .poe(34, valor(c.entradas))
                     .poe(49, valor(c.outras))
                     .poe(64, valor(c.vaf))
                     .poe(79, c.regime);
        } else if (c.forma == Forma::Simplificada) {
            for (int k = 0; k < 6; ++k)
                s << cab("03")
                         .poe(19, num(sorteia(r, kCodigosSimplificada), 3))
                         .poe(22, valor(quantia(r, c.saidas * 0.3)));
            s << cab("07")
                     .poe(19, valor(c.saidas))
                     .poe(34, valor(c.entradas))
                     .poe(49, valor(c.outras))
                     .poe(64, valor(c.vaf))
                     .poe(79, c.regime);
        } else {
            // Simples Nacional: amounts by municipality, transfers, totals and the VAF
            static const char *const tipos[] = {"14", "15", "18", "19", "20", "21", "22"};
            const int detalhes = 1 + r.bounded(3);
            for (int k = 0; k < detalhes; ++k) {
                const int destino = r.bounded(4) ? c.municipio : 1 + r.bounded(municipios);
                s << cab(tipos[r.bounded(7)])
                         .poe(19, num(destino, 3))
                         .poe(22, valor(quantia(r, c.saidas * 0.1)))
                         .poe(37, mc)
                         .poe(40, num(10000000000000LL + c.id, 14));
            }
            if (r.bounded(4) == 0)
                s << cab("24")
                         .poe(19, valor(quantia(r, 5e4)))
                         .poe(34, valor(r.bounded(5) ? 0 : quantia(r, 2e4)));
            Linha t = cab("25");
            t.poe(19, valor(c.saidas, 13));
            for (int k = 1; k < 10; ++k)
                t.poe(19 + 13 * k, valor(r.bounded(3) ? 0 : quantia(r, c.saidas * 0.1), 13));
            s << t;
            s << cab("23")
                     .poe(19, mc)
                     .poe(22, valor(c.saidas))
                     .poe(37, valor(c.vaf))
                     .poe(52, valor(c.outras))
                     .poe(67, QStringLiteral("0000"));
        }
        // VAF by municipality: most all at home, some split with a neighbour
        if (r.bounded(10)) {
            s << cab("08")
                     .poe(19, mc)
                     .poe(22, valor(c.vaf))
                     .poe(37, QStringLiteral("08"))
                     .poe(39, QStringLiteral("10000"))
                     .poe(44, valor(c.vaf));
        } else {
            const int outro = 1 + (c.municipio % municipios);
            s << cab("08")
                     .poe(19, mc)
                     .poe(22, valor(c.vaf * 0.6))
                     .poe(37, QStringLiteral("08"))
                     .poe(39, QStringLiteral("06000"))
                     .poe(44, valor(c.vaf * 0.6));
            s << cab("08")
                     .poe(19, num(outro, 3))
                     .poe(22, valor(c.vaf * 0.4))
                     .poe(37, QStringLiteral("08"))
                     .poe(39, QStringLiteral("04000"))
                     .poe(44, valor(c.vaf * 0.4));
        }

        // deliveries: most accepted at once, some refused (codes in different espacos), some
        // delivered again, some with a refused substitution
        auto evento = [&](const QString &quando, bool substituicao, const QString &erros) {
            return cab("10")
                .poe(19, QString::number(ano))
                .poe(23, quando)
                .poe(31, hora)
                .poe(37, quando)
                .poe(45, c.forma == Forma::Completa ? QStringLiteral("1") : QStringLiteral("2"))
                .poe(46, protocolo)
                .poe(66, c.regime)
                .poe(68, QStringLiteral("2"))
                .poe(69, substituicao ? QStringLiteral("S") : QStringLiteral("N"))
                .poe(70, valorPonto(c.entradas))
                .poe(85, valorPonto(c.outras))
                .poe(100, valorPonto(c.saidas))
                .poe(115, valorPonto(c.vaf))
                .poe(130, num(r.bounded(99999999), 11).leftJustified(14))
                .poe(144, erros)
                .poe(159, QStringLiteral("VALIDADA").leftJustified(25))
                .poe(184, c.regime);
        };
        auto erros = [&](bool recusa) {
            QString espacos = QStringLiteral("0000000000");
            if (recusa)
                espacos.replace(2 * int(r.bounded(5)), 2, num(sorteia(r, kErrosRecusa), 2));
            if (r.bounded(5) == 0)
                espacos.replace(2 * int(r.bounded(5)), 2, num(sorteia(r, kErrosAviso), 2));
            return espacos;
        };
        const QString depois = data(1 + r.bounded(28), 5 + r.bounded(3), ano + 1);
        switch (c.entregas) {
        case 0:
            s << evento(entrega, false, erros(false));
            break;
        case 1:
            s << evento(entrega, false, erros(true));
            s << evento(depois, true, erros(false));
            break;
        case 2:
            s << evento(entrega, false, erros(true));
            break;
        default:
            s << evento(entrega, false, erros(false));
            s << evento(depois, true, erros(true));
            break;
        }
    }

    void municipio(Saida &s, int m) const
    {
        const QString mc = num(m, 3), zeros = QStringLiteral("0000000000000");
        QRandomGenerator r = geradorDe(m, 3);
        const int extras =
            std::max(1, porMunicipio / 100); // declarations of taxpayers not in the active list
        double vafA = 0;
        qint64 declaracoes = 0;
        for (int i = 0; i < porMunicipio + extras; ++i) {
            const Contribuinte c = contribuinte(m, i);
            if (!c.entrega)
                continue;
            declaracao(s, c);
            ++declaracoes;
            if (c.entregas == 2)
                continue;
            // VAF A: the own VAF of each accepted taxpayer
            vafA += c.vaf;
            s << cabeca("11", mc, zeros)
                     .poe(22, num(c.id, 13))
                     .poe(35, mc)
                     .poe(38, c.nome.left(35).leftJustified(35))
                     .poe(73, data(1 + r.bounded(28), 3, ano + 1))
                     .poe(81, valor(c.vaf))
                     .poe(96, num(10000000000000LL + c.id, 14))
                     .poe(112, c.cnae)
                     .poe(119, QStringLiteral("00"))
                     .poe(121, c.regime);
        }
        // SIMEI taxpayers (removed from the active list) and taxpayers that came from elsewhere
        for (int i = 0; i < porMunicipio; ++i) {
            const Contribuinte c = contribuinte(m, i);
            if (c.simei)
                s << cabeca("40", mc, zeros)
                         .poe(22, num(c.id, 13))
                         .poe(35, mc)
                         .poe(38, c.nome.left(35).leftJustified(35))
                         .poe(73, data(1 + r.bounded(28), 1 + r.bounded(12), ano - 1 - r.bounded(5)))
                         .poe(81, valor(quantia(r, 8e4)))
                         .poe(96, num(10000000000000LL + c.id, 14));
        }
        const int mudancas = std::max(1, porMunicipio / 200);
        for (int k = 0; k < mudancas && municipios > 1; ++k) {
            const int origem = 1 + (m % municipios);
            const Contribuinte c = contribuinte(origem, r.bounded(porMunicipio));
            s << cabeca("35", mc, zeros)
                     .poe(22, num(c.id, 13))
                     .poe(35, mc)
                     .poe(38, c.nome.left(35).leftJustified(35))
                     .poe(73, data(1 + r.bounded(28), 1 + r.bounded(12), ano))
                     .poe(81, valor(quantia(r, 5e5)))
                     .poe(96, num(10000000000000LL + c.id, 14));
        }
        // VAF B with the neighbours: a debit and a credit
        double vafB = 0;
        for (int k = 1; k <= 2 && municipios > 1; ++k) {
            const QString outro = num(1 + ((m + k - 1) % municipios), 3);
            const double v = quantia(r, 1e6);
            vafB += k == 1 ? -v : v;
            s << cabeca(k == 1 ? "12" : "13", mc, zeros)
                     .poe(19, outro)
                     .poe(22, valor(v * 0.7))
                     .poe(37, valor(v * 0.3))
                     .poe(52, valor(v));
        }
        const double liquido = vafA + vafB;
        const double indice = 2.0 / municipios * (0.5 + r.bounded(1.0));
        const qint64 indiceInteiro = qint64(std::floor(indice)),
                     indiceDecimais = qint64(std::round((indice - indiceInteiro) * 1e7));
        s << cabeca(definitivo ? "17" : "16", mc, zeros)
                 .poe(19, valor(vafA))
                 .poe(34, valor(0))
                 .poe(49, valor(std::max(0.0, vafB)))
                 .poe(64, valor(0))
                 .poe(79, valor(std::max(0.0, -vafB)))
                 .poe(94, valor(0))
                 .poe(109, valor(0))
                 .poe(124, valor(liquido))
                 .poe(139, num(indiceInteiro, 2) + num(std::min<qint64>(indiceDecimais, 9999999), 7))
                 .poe(148, QStringLiteral("0") + valor(5e9))
                 .poe(164, valor(0))
                 .poe(179, valor(0));
        s << cabeca("99", mc, zeros)
                 .poe(19, num(declaracoes, 9))
                 .poe(28, QStringLiteral("0") + valor(liquido))
                 .poe(44, QStringLiteral("01/01/%1").arg(ano))
                 .poe(54, QStringLiteral("31/12/%1").arg(ano));
    }

    void retorno(Saida &s) const
    {
        for (int m = 1; m <= municipios; ++m)
            municipio(s, m);
    }
};

qint64 gravaZip(const QString &zip, const QString &txt, const std::function<void(Saida &)> &escreve)
{
    Saida s(txt);
    escreve(s);
    const qint64 linhas = s.fecha();
    QFile::remove(zip);
    ZipEngine().adiciona(zip, txt);
    QFile::remove(txt);
    return linhas;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString saida = QStringLiteral(".");
    Gerador g{1, 10, 200, 85, 2023, false};
    const QStringList a = app.arguments();
    for (int i = 1; i < a.size(); ++i) {
        const QString v = i + 1 < a.size() ? a[i + 1] : QString();
        if (a[i] == QLatin1String("--definitivo")) {
            g.definitivo = true;
            continue;
        }
        if (a[i] == QLatin1String("--out"))
            saida = v;
        else if (a[i] == QLatin1String("--seed"))
            g.semente = v.toUInt();
        else if (a[i] == QLatin1String("--municipios"))
            g.municipios = std::clamp(v.toInt(), 1, 50);
        else if (a[i] == QLatin1String("--contribuintes"))
            g.porMunicipio = std::clamp(v.toInt(), 1, 999000);
        else if (a[i] == QLatin1String("--entrega"))
            g.percEntrega = std::clamp(v.toInt(), 0, 100);
        else if (a[i] == QLatin1String("--ano"))
            g.ano = v.toInt();
        else {
            std::fprintf(stderr, "opção desconhecida: %s\n", a[i].toLocal8Bit().constData());
            return 2;
        }
        ++i;
    }
    QDir().mkpath(saida);
    const QString sufixo = QString::number(g.ano + 1).right(2);
    const QString at = QDir(saida).filePath(QStringLiteral("AT00%1.zip").arg(sufixo));
    const QString rt = QDir(saida).filePath(QStringLiteral("RT00%1.zip").arg(sufixo));
    const QString txt = QDir(saida).filePath(QStringLiteral("PT00%1.txt").arg(sufixo));
    try {
        const qint64 nAtivos = gravaZip(at, txt, [&](Saida &s) { g.ativos(s); });
        const qint64 nRetorno = gravaZip(rt, txt, [&](Saida &s) { g.retorno(s); });
        std::printf("%s (%lld linhas)\n%s (%lld linhas)\n", at.toUtf8().constData(), nAtivos,
                    rt.toUtf8().constData(), nRetorno);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
